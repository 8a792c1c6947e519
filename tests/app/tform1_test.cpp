#include "formfixture.h"

#include "app/colorbox.h"
#include "app/statuslog.h"
#include "chart/temperaturechart.h"

#include <QAction>
#include <QApplication>
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
#include <QTest>
#include <QTimeEdit>
#include <QTimer>

namespace {

struct ControlCase {
    const char* name;
    const char* kind;
    const char* text; // nullptr: not checked
    QRect geometry;   // width < 0: only the position is checked
};

const ControlCase kControls[] = {
    {"Grid1", "QTableView", nullptr, {16, 32, 601, 481}},
    {"btn_receive", "QPushButton", "Přijmout data", {16, 524, 89, 25}},
    {"btn_load", "QPushButton", "Otevřít", {112, 524, 89, 25}},
    {"btn_save", "QPushButton", "Uložit", {208, 524, 89, 25}},
    {"btn_export", "QPushButton", "Export do Excelu", {528, 524, 89, 25}},
    {"Chart1", "QCustomPlot", nullptr, {16, 32, 601, 401}},
    {"Label1", "QLabel", "Od:", {112, 448, -1, -1}},
    {"Label2", "QLabel", "Do:", {304, 448, -1, -1}},
    {"Label3", "QLabel", "Čidlo:", {456, 448, -1, -1}},
    {"Label4", "QLabel", "-", {216, 480, -1, -1}},
    {"DateTimePicker1", "QDateEdit", nullptr, {40, 480, 81, 21}},
    {"DateTimePicker2", "QTimeEdit", nullptr, {128, 480, 73, 21}},
    {"DateTimePicker3", "QDateEdit", nullptr, {240, 480, 81, 21}},
    {"DateTimePicker4", "QTimeEdit", nullptr, {328, 480, 73, 21}},
    {"cmb_select", "QComboBox", nullptr, {440, 480, 81, 21}},
    {"btn_draw", "QPushButton", "Vykreslit", {536, 479, 81, 22}},
    {"Memo1", "QAbstractScrollArea", nullptr, {24, 40, 585, 481}},
    {"grp_app", "QGroupBox", " Natavení programu ", {24, 24, 577, 201}},
    {"Label14", "QLabel", "IP adresa modulu:", {32, 72, -1, -1}},
    {"edt_ip", "QLineEdit", nullptr, {128, 67, 169, 21}},
    {"btn_connect", "QPushButton", "Připojit", {304, 64, 73, 25}},
    {"Label16", "QLabel", "Barva grafu", {32, 112, -1, -1}},
    {"ColorBox", "QComboBox", nullptr, {128, 104, 145, 22}},
    {"grp_unit", "QGroupBox", " Nastavení modulu ", {24, 240, 577, 281}},
    {"Label5", "QLabel", "Datum a čas:", {16, 56, -1, -1}},
    {"set_date", "QDateEdit", nullptr, {120, 52, 97, 21}},
    {"set_time", "QTimeEdit", nullptr, {233, 52, 89, 21}},
    {"btn_systime", "QPushButton", "S", {328, 52, 25, 21}},
    {"Label6", "QLabel", "Aktivních portů:", {16, 96, -1, -1}},
    {"set_ports", "QComboBox", nullptr, {120, 92, 97, 21}},
    {"Label15", "QLabel", "Interval měření:", {16, 136, -1, -1}},
    {"set_interval", "QComboBox", nullptr, {120, 132, 97, 21}},
    {"Label7", "QLabel", "Alarmy:", {448, 24, -1, -1}},
    {"Label8", "QLabel", "Min", {424, 48, -1, -1}},
    {"Label9", "QLabel", "Max", {504, 48, -1, -1}},
    {"Label10", "QLabel", "T1:", {379, 68, -1, -1}},
    {"Label11", "QLabel", "T2:", {379, 100, -1, -1}},
    {"Label12", "QLabel", "T3:", {379, 132, -1, -1}},
    {"Label13", "QLabel", "T4:", {379, 164, -1, -1}},
    {"set_t1min", "QSpinBox", nullptr, {408, 64, 57, 22}},
    {"set_t1max", "QSpinBox", nullptr, {488, 64, 57, 22}},
    {"set_t2min", "QSpinBox", nullptr, {408, 96, 57, 22}},
    {"set_t2max", "QSpinBox", nullptr, {488, 96, 57, 22}},
    {"set_t3min", "QSpinBox", nullptr, {408, 128, 57, 22}},
    {"set_t3max", "QSpinBox", nullptr, {488, 128, 57, 22}},
    {"set_t4min", "QSpinBox", nullptr, {408, 160, 57, 22}},
    {"set_t4max", "QSpinBox", nullptr, {488, 160, 57, 22}},
    {"btb_loadset", "QPushButton", "Nahrát", {392, 240, 81, 25}},
    {"btn_saveset", "QPushButton", "Uložit", {488, 240, 81, 25}},
};

QString textOf(QObject* control)
{
    if (auto* box = qobject_cast<QGroupBox*>(control))
        return box->title();
    return control->property("text").toString();
}

class WindowTest : public FormFixture {};

TEST_F(WindowTest, everyControlHasItsNameKindTextAndPosition)
{
    TForm1& w = open();
    for (const ControlCase& c : kControls) {
        SCOPED_TRACE(c.name);
        auto* control = w.findChild<QWidget*>(QString::fromLatin1(c.name));
        ASSERT_NE(control, nullptr);
        EXPECT_TRUE(control->inherits(c.kind)) << control->metaObject()->className();
        if (c.text)
            EXPECT_EQ(textOf(control), QString::fromUtf8(c.text));
        if (c.geometry.width() < 0)
            EXPECT_EQ(control->pos(), c.geometry.topLeft());
        else
            EXPECT_EQ(control->geometry(), c.geometry);
    }
}

TEST_F(WindowTest, windowIsFixedWithFourPagesDataFirst)
{
    TForm1& w = open();
    w.show();
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Kestrova"));
    EXPECT_EQ(w.centralWidget()->size(), QSize(673, 609));
    EXPECT_EQ(w.minimumSize(), w.maximumSize());
    EXPECT_FALSE(w.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(w.PageControl1->geometry(), QRect(16, 8, 641, 585));
    const QStringList captions{"Data", "Grafy", "Status", "Nastavení"};
    const QStringList names{"TabSheetGrid", "TabSheetGraph", "TabSheetStatus", "TabSheetSettings"};
    ASSERT_EQ(w.PageControl1->count(), 4);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(w.PageControl1->tabText(i), captions[i]);
        EXPECT_EQ(w.PageControl1->widget(i)->objectName(), names[i]);
    }
    EXPECT_EQ(w.PageControl1->currentWidget(), w.TabSheetGrid);
}

TEST_F(WindowTest, controlsStartWithTheirDesignValues)
{
    TForm1& w = open();
    EXPECT_EQ(w.DateTimePicker1->dateTime(), QDateTime(QDate(2008, 4, 30), QTime(13, 39, 53)));
    EXPECT_EQ(w.DateTimePicker1->displayFormat(), QStringLiteral("dd.MM.yy"));
    EXPECT_EQ(w.DateTimePicker3->date(), QDate(2008, 4, 30));
    EXPECT_FALSE(w.DateTimePicker2->isEnabled());
    EXPECT_FALSE(w.DateTimePicker4->isEnabled());
    EXPECT_EQ(w.DateTimePicker2->time(), QTime(0, 0));
    EXPECT_EQ(w.cmb_select->count(), 8);
    EXPECT_EQ(w.cmb_select->currentText(), QStringLiteral("T1"));
    EXPECT_FALSE(w.cmb_select->isEditable());
    EXPECT_EQ(w.set_date->date(), QDate(2000, 1, 1));
    EXPECT_EQ(w.set_time->time(), QTime(1, 0, 0));
    EXPECT_EQ(w.set_ports->currentText(), QStringLiteral("1"));
    EXPECT_EQ(w.set_interval->currentText(), QStringLiteral("5 s"));
    EXPECT_EQ(w.btn_systime->toolTip(), QStringLiteral("Převzít čas ze systému"));
    for (QSpinBox* s : {w.set_t1min, w.set_t1max, w.set_t2min, w.set_t2max, w.set_t3min, w.set_t3max, w.set_t4min,
                        w.set_t4max}) {
        EXPECT_EQ(s->value(), 0);
        EXPECT_EQ(s->minimum(), -40);
        EXPECT_EQ(s->maximum(), 40);
    }
    EXPECT_EQ(w.Memo1->store().size(), 0u);
}

TEST_F(WindowTest, onlyTheFirstLimitTakesTypedInput)
{
    TForm1& w = open();
    w.show();
    auto typeInto = [](QSpinBox* spin, const char* text) {
        spin->setFocus();
        spin->selectAll();
        QTest::keyClicks(spin, QString::fromLatin1(text));
    };
    typeInto(w.set_t1min, "-12");
    EXPECT_EQ(w.set_t1min->value(), -12);
    typeInto(w.set_t1min, "99");
    EXPECT_LE(w.set_t1min->value(), 40);
    typeInto(w.set_t1min, "x");
    EXPECT_GE(w.set_t1min->value(), -40);
    typeInto(w.set_t2max, "7");
    EXPECT_EQ(w.set_t2max->value(), 0);
    QTest::keyClick(w.set_t2max, Qt::Key_Up);
    EXPECT_EQ(w.set_t2max->value(), 1);
}

TEST_F(WindowTest, gridShowsHeaderAndOneEmptyRowReadOnlyWholeRows)
{
    TForm1& w = open();
    auto* model = w.Grid1->model();
    ASSERT_EQ(model->columnCount(), 11);
    const QStringList header{"Datum", "Čas", "T1", "T2", "T3", "T4", "T5", "T6", "T7", "T8", ""};
    for (int c = 0; c < 11; ++c)
        EXPECT_EQ(model->headerData(c, Qt::Horizontal).toString(), header[c]);
    EXPECT_EQ(model->rowCount(), 1);
    EXPECT_EQ(model->data(model->index(0, 0)).toString(), QString());
    EXPECT_FALSE(model->flags(model->index(0, 0)) & Qt::ItemIsEditable);
    EXPECT_EQ(w.Grid1->selectionBehavior(), QAbstractItemView::SelectRows);
    EXPECT_EQ(w.Grid1->horizontalHeader()->sectionResizeMode(0), QHeaderView::Interactive);
    EXPECT_EQ(w.Grid1->horizontalHeader()->sectionSize(3), 52);
}

TEST_F(WindowTest, menuHasThreeBarItemsWithTheirEntries)
{
    TForm1& w = open();
    const auto bar = w.MainMenu1->actions();
    ASSERT_EQ(bar.size(), 3);
    EXPECT_EQ(bar[0]->text(), QStringLiteral("Soubor"));
    EXPECT_EQ(bar[1]->text(), QStringLiteral("Možnosti"));
    EXPECT_EQ(bar[2]->text(), QStringLiteral("O programu"));
    EXPECT_EQ(bar[2]->menu(), nullptr);
    const QStringList file{"Otevřít", "Uložit", "Konec"};
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(w.Soubor1->actions()[i]->text(), file[i]);
    EXPECT_EQ(w.Monosti1->actions()[0]->text(), QStringLiteral("Nastavení programu"));
    EXPECT_EQ(w.Monosti1->actions()[1]->text(), QStringLiteral("Nastavení jednotky"));
    for (QAction* a : {w.Otevt1, w.Uloit1, w.Konec1, w.Nastavenprogramu1, w.Nastavenjednotky1, w.Oprogramu1})
        EXPECT_TRUE(a->shortcut().isEmpty());
}

TEST_F(WindowTest, bothOptionsItemsShowTheSettingsPage)
{
    TForm1& w = open();
    for (QAction* item : {w.Nastavenprogramu1, w.Nastavenjednotky1}) {
        w.PageControl1->setCurrentWidget(w.TabSheetGraph);
        item->trigger();
        EXPECT_EQ(w.PageControl1->currentWidget(), w.TabSheetSettings);
    }
}

TEST_F(WindowTest, aboutBoxShowsThreeLines)
{
    TForm1& w = open();
    w.Oprogramu1->trigger();
    ASSERT_EQ(dialogs->shown.size(), 1);
    EXPECT_EQ(dialogs->shown[0].kind, QStringLiteral("information"));
    EXPECT_EQ(dialogs->shown[0].caption, QStringLiteral("O programu - Kestrova"));
    const QStringList lines = dialogs->shown[0].text.split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0], QStringLiteral("Kestrova v0.8 - Win klient"));
    EXPECT_TRUE(lines[1].isEmpty());
    EXPECT_FALSE(lines[2].isEmpty());
}

struct CloseCase {
    const char* name;
    std::deque<Dialogs::Answer> answers;
    bool staysOpen;
};

// Test names carry the case name; gtest need not print the bytes of a case.
void PrintTo(const CloseCase& c, std::ostream* os)
{
    *os << c.name;
}


class CloseConfirmation : public FormFixture, public ::testing::WithParamInterface<CloseCase> {};

TEST_P(CloseConfirmation, onlyAnExplicitNoKeepsTheWindow)
{
    TForm1& w = open();
    w.show();
    dialogs->answers = GetParam().answers;
    const bool closed = w.close();
    EXPECT_EQ(closed, !GetParam().staysOpen);
    ASSERT_EQ(dialogs->count("question"), 1);
    EXPECT_EQ(dialogs->shown[0].caption, QStringLiteral("Konec"));
    EXPECT_EQ(dialogs->shown[0].text, QStringLiteral("Opravdu ukončit program?"));
    EXPECT_EQ(QFile::exists(iniPath()), false) << "the settings file is written only when the window is destroyed";
}

INSTANTIATE_TEST_SUITE_P(Answers, CloseConfirmation,
                         ::testing::Values(CloseCase{"No", {Dialogs::Answer::No}, true},
                                           CloseCase{"Yes", {Dialogs::Answer::Yes}, false},
                                           CloseCase{"Failed", {}, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(WindowTest, enterAtTheRealConfirmationAnswersNo)
{
    QtDialogs real;
    QTimer::singleShot(0, [] {
        QWidget* box = QApplication::activeModalWidget();
        ASSERT_NE(box, nullptr);
        QTest::keyClick(box, Qt::Key_Return);
    });
    EXPECT_EQ(real.askYesNo(nullptr, QStringLiteral("Konec"), QStringLiteral("Opravdu ukončit program?")),
              Dialogs::Answer::No);
}

TEST_F(WindowTest, konecEndsTheLoopWithoutAskingAndStillWritesSettings)
{
    TForm1& w = open();
    w.show();
    w.edt_ip->setText(QStringLiteral("10.1.2.3"));
    QTimer::singleShot(0, w.Konec1, &QAction::trigger);
    EXPECT_EQ(qApp->exec(), 0);
    EXPECT_EQ(dialogs->count("question"), 0);
    destroy();
    QFile ini(iniPath());
    ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
    EXPECT_TRUE(ini.readAll().contains("IPAddress=10.1.2.3"));
}

TEST_F(WindowTest, anErrorInAHandlerShowsTheErrorBoxAndTheProgramGoesOn)
{
    TForm1& w = open();
    dialogs->fileNames.push_back(dir.filePath(QStringLiteral("missing.csv")));
    w.btn_load->click();
    ASSERT_EQ(dialogs->count("error"), 1);
    EXPECT_EQ(dialogs->shown[0].caption, QStringLiteral("Kestrova"));
    EXPECT_TRUE(dialogs->shown[0].text.contains(QStringLiteral("missing.csv")));
    w.Oprogramu1->trigger();
    EXPECT_EQ(dialogs->count("information"), 1);
}

} // namespace
