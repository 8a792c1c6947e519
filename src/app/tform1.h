#pragma once

#include "data/measurementtable.h"
#include "link/streamreader.h"

#include <QMainWindow>
#include <array>
#include <QTimer>
#include <functional>
#include <memory>

class QAction;
class QComboBox;
class QDateEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QPushButton;
class QSpinBox;
class QTabWidget;
class QTableView;
class QTimeEdit;
class QWidget;

class ClientSocket;
class ColorComboBox;
class Dialogs;
class Shell;
class StatusLog;
class TableModel;
class TemperatureChart;

// Where the window finds the outside world; tests replace each part.
struct FormEnvironment {
    QString executablePath;           // the settings file lies beside it
    std::shared_ptr<Dialogs> dialogs; // message boxes and file dialogs
    std::shared_ptr<Shell> shell;     // opening a file in its program
    int modulePort = 10001;           // tests point the window at their own module
};

// The running executable, the real dialogs and the desktop.
FormEnvironment defaultFormEnvironment();

// The main window: every control under its own name, one slot per handler.
// Handlers read controls, call into the core, write controls and log.
class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    explicit TForm1(FormEnvironment environment, QWidget* parent = nullptr);
    ~TForm1() override;

    static QString applicationTitle();
    FormEnvironment& environment() { return m_env; }

    const MeasurementTable& table() const { return m_table; }
    MeasurementTable& table() { return m_table; }
    // Appends one of the program's own lines to the status log.
    void logLine(const QString& text);

    // Menu
    QMenuBar* MainMenu1;
    QMenu* Soubor1;
    QAction* Otevt1;
    QAction* Uloit1;
    QAction* Konec1;
    QMenu* Monosti1;
    QAction* Nastavenprogramu1;
    QAction* Nastavenjednotky1;
    QAction* Oprogramu1;
    // Pages
    QTabWidget* PageControl1;
    QWidget* TabSheetGrid;
    QWidget* TabSheetGraph;
    QWidget* TabSheetStatus;
    QWidget* TabSheetSettings;
    // Data
    QTableView* Grid1;
    QPushButton* btn_receive;
    QPushButton* btn_load;
    QPushButton* btn_save;
    QPushButton* btn_export;
    // Grafy
    TemperatureChart* Chart1;
    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QLabel* Label4;
    QDateEdit* DateTimePicker1;
    QTimeEdit* DateTimePicker2;
    QDateEdit* DateTimePicker3;
    QTimeEdit* DateTimePicker4;
    QComboBox* cmb_select;
    QPushButton* btn_draw;
    // Status
    StatusLog* Memo1;
    // Nastavení: program group
    QGroupBox* grp_app;
    QLabel* Label14;
    QLineEdit* edt_ip;
    QPushButton* btn_connect;
    QLabel* Label16;
    ColorComboBox* ColorBox;
    // Nastavení: module group
    QGroupBox* grp_unit;
    QLabel* Label5;
    QDateEdit* set_date;
    QTimeEdit* set_time;
    QPushButton* btn_systime;
    QLabel* Label6;
    QComboBox* set_ports;
    QLabel* Label15;
    QComboBox* set_interval;
    QLabel* Label7;
    QLabel* Label8;
    QLabel* Label9;
    QLabel* Label10;
    QLabel* Label11;
    QLabel* Label12;
    QLabel* Label13;
    QSpinBox* set_t1min;
    QSpinBox* set_t1max;
    QSpinBox* set_t2min;
    QSpinBox* set_t2max;
    QSpinBox* set_t3min;
    QSpinBox* set_t3max;
    QSpinBox* set_t4min;
    QSpinBox* set_t4max;
    QPushButton* btb_loadset;
    QPushButton* btn_saveset;
    // Components without a window
    ::ClientSocket* ClientSocket;

public slots:
    void Konec1Click();
    void btn_connectClick();
    void ClientSocketConnect();
    void ClientSocketError(int& errorCode);
    void ClientSocketRead();
    void FormCreate();
    void ClientSocketDisconnect();
    void FormDestroy();
    void btn_receiveClick();
    void btn_drawClick();
    void btn_saveClick();
    void btn_loadClick();
    void btb_loadsetClick();
    void btn_savesetClick();
    void btn_systimeClick();
    void Nastavenprogramu1Click();
    void Nastavenjednotky1Click();
    void Otevt1Click();
    void Uloit1Click();
    void Oprogramu1Click();
    void FormCloseQuery(bool& canClose);
    void btn_exportClick();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenu();
    void buildDataPage();
    void buildGraphPage();
    void buildStatusPage();
    void buildSettingsPage();
    void buildProgramGroup(QWidget* page);
    void buildModuleGroup(QWidget* page);
    void connectHandlers();

    // Runs a handler; an error that escapes it is shown in the error box and
    // the program goes on. The silent abort ends it without a word.
    void guarded(const std::function<void()>& handler);
    void showError(const QString& message);
    void refreshTable();
    // A download's rows reach the views at most ten times a second.
    void scheduleTableRefresh();
    void sendBytes(const std::uint8_t* bytes, int count);
    void showSettingsRecord(const SettingsRecord& record);
    // The eight alarm limits in the order of the settings record.
    std::array<QSpinBox*, 8> limitEdits() const;
    void applyChosenFileFolder(const QString& fileName);
    // Saving and the export write the same bytes through this one path.
    void writeTable(const QString& fileName);

    FormEnvironment m_env;
    MeasurementTable m_table;
    StreamReader m_reader{m_table};
    TableModel* m_tableModel = nullptr;
    QTimer m_tableRefreshTimer;
    bool m_destroyed = false;
};
