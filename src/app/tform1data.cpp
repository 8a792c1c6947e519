// Handlers of the measurement data: file, export and chart.
#include "app/tform1.h"

#include "app/colorbox.h"
#include "app/dialogs.h"
#include "app/shell.h"
#include "app/userlocale.h"
#include "chart/daykey.h"
#include "chart/rangescan.h"
#include "chart/temperaturechart.h"
#include "data/cp1250.h"
#include "data/filebytes.h"
#include "data/measurementfile.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <stdexcept>

namespace
{

const QString kSaveFilter = QStringLiteral("CSV- MS Excel (*.csv)|*.csv");
const QString kOpenFilter = QStringLiteral("CSV - MS Excel (*.csv)|*.csv");
const QString kDefaultExtension = QStringLiteral("csv");
const QString kExportFile = QStringLiteral("temp.csv");
// Column of T1; T2..T8 follow it.
constexpr int kFirstSensorColumn = 2;

std::string dayKeyOf(const QDate& date)
{
    return dayKey(date.day(), date.month(), date.year());
}

// A date and time as a day count from 30 December 1899 with the time as its
// fraction decides how it is logged: time alone below 1, date alone when whole.
QString dateTimeLogText(const QDateTime& value)
{
    const QLocale locale = QLocale::system();
    QString timeFormat = locale.timeFormat(QLocale::LongFormat);
    timeFormat.remove(QLatin1Char('t'));
    const QString date = locale.toString(value.date(), QLocale::ShortFormat);
    const QString time = value.time().toString(timeFormat.trimmed());
    const qint64 days = QDate(1899, 12, 30).daysTo(value.date());
    if (days < 1)
        return time;
    if (value.time() == QTime(0, 0))
        return date;
    return date + QLatin1Char(' ') + time;
}

} // namespace

void TForm1::applyChosenFileFolder(const QString& fileName)
{
    QDir::setCurrent(QFileInfo(fileName).absolutePath());
}

void TForm1::writeTable(const QString& fileName)
{
    FileBytes::Writer file(fileName);
    MeasurementFile::serialize(m_table, [&file](std::string_view chunk) { file.append(chunk); });
    file.commit();
}

void TForm1::btn_saveClick()
{
    const QString fileName = m_env.dialogs->saveFileName(this, kSaveFilter, kDefaultExtension);
    if (fileName.isEmpty())
        return;
    applyChosenFileFolder(fileName);
    writeTable(fileName);
}

void TForm1::btn_loadClick()
{
    const QString fileName = m_env.dialogs->openFileName(this, kOpenFilter, kDefaultExtension);
    if (fileName.isEmpty())
        return;
    applyChosenFileFolder(fileName);
    const FileBytes::Contents bytes = FileBytes::read(fileName);
    MeasurementFile::load(m_table, bytes);
    refreshTable();
}

void TForm1::btn_exportClick()
{
    writeTable(kExportFile);
    m_env.shell->openWithAssociatedProgram(kExportFile);
}

void TForm1::btn_drawClick()
{
    const std::string fromKey = dayKeyOf(DateTimePicker1->date());
    const std::string toKey = dayKeyOf(DateTimePicker3->date());
    const RangeScan range = scanRange(m_table, fromKey, toKey);
    logLine(QStringLiteral("Kreslen\u00ed grafu"));

    const int sensor = std::max(0, cmb_select->currentIndex());
    const PlotValues plot =
        collectPlotValues(m_table, range, kFirstSensorColumn + sensor, userDecimalSeparator());
    Chart1->showValues(plot.values, colorFromCode(ColorBox->selectedCode()), cmb_select->currentText());
    if (plot.badText) {
        throw std::runtime_error(QStringLiteral("'%1' nen\u00ed platn\u00e9 desetinn\u00e9 \u010d\u00edslo")
                                     .arg(QString::fromStdString(Cp1250::toUtf8(*plot.badText)))
                                     .toStdString());
    }
    logLine(dateTimeLogText(DateTimePicker1->dateTime()));
}
