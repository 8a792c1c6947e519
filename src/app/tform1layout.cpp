// Builds the window's controls with their positions and design values.
#include "app/tform1.h"

#include "app/colorbox.h"
#include "app/statuslog.h"
#include "chart/temperaturechart.h"
#include "data/tablemodel.h"
#include "link/clientsocket.h"

#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableView>
#include <QTimeEdit>

namespace {

template <typename Widget>
Widget* place(Widget* widget, const char* name, int left, int top, int width = -1, int height = -1)
{
    widget->setObjectName(QString::fromLatin1(name));
    if (width < 0) {
        widget->adjustSize();
        widget->move(left, top);
    } else {
        widget->setGeometry(left, top, width, height);
    }
    return widget;
}

QLabel* label(QWidget* parent, const char* name, const QString& text, int left, int top)
{
    return place(new QLabel(text, parent), name, left, top);
}

QPushButton* button(QWidget* parent, const char* name, const QString& text, int left, int top, int width,
                    int height)
{
    return place(new QPushButton(text, parent), name, left, top, width, height);
}

QComboBox* dropDownList(QWidget* parent, const char* name, const QStringList& items, int left, int top, int width,
                        int height)
{
    auto* box = place(new QComboBox(parent), name, left, top, width, height);
    box->addItems(items);
    box->setCurrentIndex(0);
    return box;
}

QSpinBox* limitEdit(QWidget* parent, const char* name, int left, int top, bool typing)
{
    auto* spin = place(new QSpinBox(parent), name, left, top, 57, 22);
    spin->setRange(-40, 40);
    spin->setValue(0);
    // Without typing, only the arrows (and keys) change the value.
    if (!typing)
        spin->findChild<QLineEdit*>()->setReadOnly(true);
    return spin;
}

QDateEdit* datePicker(QWidget* parent, const char* name, const QDate& date, int left, int top, int width)
{
    auto* picker = place(new QDateEdit(date, parent), name, left, top, width, 21);
    picker->setCalendarPopup(true);
    return picker;
}

QTimeEdit* timePicker(QWidget* parent, const char* name, const QTime& time, int left, int top, int width)
{
    return place(new QTimeEdit(time, parent), name, left, top, width, 21);
}

QWidget* page(QTabWidget* pages, const char* name, const QString& caption)
{
    auto* sheet = new QWidget;
    sheet->setObjectName(QString::fromLatin1(name));
    pages->addTab(sheet, caption);
    return sheet;
}

} // namespace

void TForm1::buildMenu()
{
    MainMenu1 = menuBar();
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
    Soubor1 = MainMenu1->addMenu(QStringLiteral("Soubor"));
    Soubor1->setObjectName(QStringLiteral("Soubor1"));
    Otevt1 = Soubor1->addAction(QStringLiteral("Otev\u0159\u00edt"));
    Otevt1->setObjectName(QStringLiteral("Otevt1"));
    Uloit1 = Soubor1->addAction(QStringLiteral("Ulo\u017eit"));
    Uloit1->setObjectName(QStringLiteral("Uloit1"));
    Konec1 = Soubor1->addAction(QStringLiteral("Konec"));
    Konec1->setObjectName(QStringLiteral("Konec1"));
    Monosti1 = MainMenu1->addMenu(QStringLiteral("Mo\u017enosti"));
    Monosti1->setObjectName(QStringLiteral("Monosti1"));
    Nastavenprogramu1 = Monosti1->addAction(QStringLiteral("Nastaven\u00ed programu"));
    Nastavenprogramu1->setObjectName(QStringLiteral("Nastavenprogramu1"));
    Nastavenjednotky1 = Monosti1->addAction(QStringLiteral("Nastaven\u00ed jednotky"));
    Nastavenjednotky1->setObjectName(QStringLiteral("Nastavenjednotky1"));
    // A bar item that acts by itself, with no drop-down.
    Oprogramu1 = MainMenu1->addAction(QStringLiteral("O programu"));
    Oprogramu1->setObjectName(QStringLiteral("Oprogramu1"));
}

void TForm1::buildDataPage()
{
    TabSheetGrid = page(PageControl1, "TabSheetGrid", QStringLiteral("Data"));
    Grid1 = place(new QTableView(TabSheetGrid), "Grid1", 16, 32, 601, 481);
    m_tableModel = new TableModel(m_table, this);
    Grid1->setModel(m_tableModel);
    Grid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    Grid1->setSelectionMode(QAbstractItemView::ExtendedSelection);
    Grid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Grid1->setFrameShape(QFrame::Box);
    Grid1->verticalHeader()->hide();
    // Fixed sizes: nothing is measured over all rows, so a million rows scroll as fast as ten.
    Grid1->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    Grid1->verticalHeader()->setDefaultSectionSize(18);
    Grid1->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    Grid1->horizontalHeader()->setDefaultSectionSize(52);
    Grid1->horizontalHeader()->setMinimumSectionSize(8);
    Grid1->horizontalHeader()->setHighlightSections(false);
    Grid1->setWordWrap(false);

    btn_receive = button(TabSheetGrid, "btn_receive", QStringLiteral("P\u0159ijmout data"), 16, 524, 89, 25);
    btn_load = button(TabSheetGrid, "btn_load", QStringLiteral("Otev\u0159\u00edt"), 112, 524, 89, 25);
    btn_save = button(TabSheetGrid, "btn_save", QStringLiteral("Ulo\u017eit"), 208, 524, 89, 25);
    btn_export = button(TabSheetGrid, "btn_export", QStringLiteral("Export do Excelu"), 528, 524, 89, 25);
}

void TForm1::buildGraphPage()
{
    TabSheetGraph = page(PageControl1, "TabSheetGraph", QStringLiteral("Grafy"));
    Chart1 = place(new TemperatureChart(TabSheetGraph), "Chart1", 16, 32, 601, 401);
    Chart1->series()->setObjectName(QStringLiteral("Series1"));

    QFont bold = font();
    bold.setBold(true);
    bold.setPixelSize(13);
    Label1 = label(TabSheetGraph, "Label1", QStringLiteral("Od:"), 112, 448);
    Label2 = label(TabSheetGraph, "Label2", QStringLiteral("Do:"), 304, 448);
    Label3 = label(TabSheetGraph, "Label3", QStringLiteral("\u010cidlo:"), 456, 448);
    Label4 = label(TabSheetGraph, "Label4", QStringLiteral("-"), 216, 480);
    for (QLabel* l : {Label1, Label2, Label3, Label4}) {
        l->setFont(bold);
        l->adjustSize();
    }

    const QDateTime design(QDate(2008, 4, 30), QTime(13, 39, 53));
    DateTimePicker1 = datePicker(TabSheetGraph, "DateTimePicker1", design.date(), 40, 480, 81);
    DateTimePicker2 = timePicker(TabSheetGraph, "DateTimePicker2", QTime(0, 0), 128, 480, 73);
    DateTimePicker3 = datePicker(TabSheetGraph, "DateTimePicker3", design.date(), 240, 480, 81);
    DateTimePicker4 = timePicker(TabSheetGraph, "DateTimePicker4", QTime(0, 0), 328, 480, 73);
    for (QDateEdit* picker : {DateTimePicker1, DateTimePicker3}) {
        picker->setDisplayFormat(QStringLiteral("dd.MM.yy"));
        picker->setDateTime(design);
    }
    for (QTimeEdit* picker : {DateTimePicker2, DateTimePicker4}) {
        picker->setDisplayFormat(QStringLiteral("HH:mm"));
        picker->setEnabled(false);
    }
    cmb_select = dropDownList(TabSheetGraph, "cmb_select",
                              {"T1", "T2", "T3", "T4", "T5", "T6", "T7", "T8"}, 440, 480, 81, 21);
    btn_draw = button(TabSheetGraph, "btn_draw", QStringLiteral("Vykreslit"), 536, 479, 81, 22);
}

void TForm1::buildStatusPage()
{
    TabSheetStatus = page(PageControl1, "TabSheetStatus", QStringLiteral("Status"));
    Memo1 = place(new StatusLog(TabSheetStatus), "Memo1", 24, 40, 585, 481);
}

void TForm1::buildSettingsPage()
{
    TabSheetSettings = page(PageControl1, "TabSheetSettings", QStringLiteral("Nastaven\u00ed"));
    buildProgramGroup(TabSheetSettings);
    buildModuleGroup(TabSheetSettings);
}

void TForm1::buildProgramGroup(QWidget* page)
{
    grp_app = place(new QGroupBox(QStringLiteral(" Natavení programu "), page), "grp_app", 24, 24, 577, 201);
    Label14 = label(grp_app, "Label14", QStringLiteral("IP adresa modulu:"), 32, 72);
    edt_ip = place(new QLineEdit(grp_app), "edt_ip", 128, 67, 169, 21);
    btn_connect = button(grp_app, "btn_connect", QStringLiteral("P\u0159ipojit"), 304, 64, 73, 25);
    Label16 = label(grp_app, "Label16", QStringLiteral("Barva grafu"), 32, 112);
    ColorBox = place(new ColorComboBox(grp_app), "ColorBox", 128, 104, 145, 22);
}

void TForm1::buildModuleGroup(QWidget* page)
{
    grp_unit = place(new QGroupBox(QStringLiteral(" Nastaven\u00ed modulu "), page), "grp_unit", 24, 240, 577, 281);
    Label5 = label(grp_unit, "Label5", QStringLiteral("Datum a \u010das:"), 16, 56);
    set_date = datePicker(grp_unit, "set_date", QDate(2000, 1, 1), 120, 52, 97);
    set_date->setDisplayFormat(QLocale().dateFormat(QLocale::ShortFormat));
    set_time = timePicker(grp_unit, "set_time", QTime(1, 0, 0), 233, 52, 89);
    set_time->setDisplayFormat(QStringLiteral("HH:mm:ss"));
    btn_systime = button(grp_unit, "btn_systime", QStringLiteral("S"), 328, 52, 25, 21);
    btn_systime->setToolTip(QStringLiteral("P\u0159evz\u00edt \u010das ze syst\u00e9mu"));
    Label6 = label(grp_unit, "Label6", QStringLiteral("Aktivn\u00edch port\u016f:"), 16, 96);
    set_ports = dropDownList(grp_unit, "set_ports", {"1", "2", "3", "4"}, 120, 92, 97, 21);
    Label15 = label(grp_unit, "Label15", QStringLiteral("Interval m\u011b\u0159en\u00ed:"), 16, 136);
    set_interval = dropDownList(grp_unit, "set_interval", {"5 s", "10 s", "15 s", "20 s", "30 s"}, 120, 132, 97, 21);

    Label7 = label(grp_unit, "Label7", QStringLiteral("Alarmy:"), 448, 24);
    Label8 = label(grp_unit, "Label8", QStringLiteral("Min"), 424, 48);
    Label9 = label(grp_unit, "Label9", QStringLiteral("Max"), 504, 48);
    Label10 = label(grp_unit, "Label10", QStringLiteral("T1:"), 379, 68);
    Label11 = label(grp_unit, "Label11", QStringLiteral("T2:"), 379, 100);
    Label12 = label(grp_unit, "Label12", QStringLiteral("T3:"), 379, 132);
    Label13 = label(grp_unit, "Label13", QStringLiteral("T4:"), 379, 164);
    set_t1min = limitEdit(grp_unit, "set_t1min", 408, 64, true);
    set_t1max = limitEdit(grp_unit, "set_t1max", 488, 64, false);
    set_t2min = limitEdit(grp_unit, "set_t2min", 408, 96, false);
    set_t2max = limitEdit(grp_unit, "set_t2max", 488, 96, false);
    set_t3min = limitEdit(grp_unit, "set_t3min", 408, 128, false);
    set_t3max = limitEdit(grp_unit, "set_t3max", 488, 128, false);
    set_t4min = limitEdit(grp_unit, "set_t4min", 408, 160, false);
    set_t4max = limitEdit(grp_unit, "set_t4max", 488, 160, false);

    btb_loadset = button(grp_unit, "btb_loadset", QStringLiteral("Nahr\u00e1t"), 392, 240, 81, 25);
    btn_saveset = button(grp_unit, "btn_saveset", QStringLiteral("Ulo\u017eit"), 488, 240, 81, 25);
}
