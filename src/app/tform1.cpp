// The window's life: creation, closing, the menu and the error box.
#include "app/tform1.h"

#include "app/colorbox.h"
#include "app/dialogs.h"
#include "app/programsettings.h"
#include "app/shell.h"
#include "app/statuslog.h"
#include "data/tablemodel.h"
#include "link/clientsocket.h"
#include "link/protocol.h"
#include "link/silentabort.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

FormEnvironment defaultFormEnvironment()
{
    return {QCoreApplication::applicationFilePath(), std::make_shared<QtDialogs>(),
            std::make_shared<DesktopShell>(), protocol::kModulePort};
}

TForm1::TForm1(FormEnvironment environment, QWidget* parent) : QMainWindow(parent), m_env(std::move(environment))
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(applicationTitle());
    QFont windowFont;
    windowFont.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"),
                            QStringLiteral("Arial"), QStringLiteral("DejaVu Sans")});
    windowFont.setStyleHint(QFont::SansSerif);
    windowFont.setPixelSize(11);
    setFont(windowFont);

    buildMenu();
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("ClientArea"));
    client->setFixedSize(673, 609);
    setCentralWidget(client);
    PageControl1 = new QTabWidget(client);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->setGeometry(16, 8, 641, 585);
    buildDataPage();
    buildGraphPage();
    buildStatusPage();
    buildSettingsPage();
    PageControl1->setCurrentWidget(TabSheetGrid);

    m_tableRefreshTimer.setSingleShot(true);
    m_tableRefreshTimer.setInterval(100);
    connect(&m_tableRefreshTimer, &QTimer::timeout, this, &TForm1::refreshTable);

    ClientSocket = new ::ClientSocket(this);
    ClientSocket->setObjectName(QStringLiteral("ClientSocket"));
    connectHandlers();

    // A single fixed border with system menu and minimise box only.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    move(403, 288);

    FormCreate();
}

TForm1::~TForm1()
{
    guarded([this] { FormDestroy(); });
}

QString TForm1::applicationTitle()
{
    return QStringLiteral("Kestrova");
}

void TForm1::connectHandlers()
{
    auto onClick = [this](QPushButton* b, void (TForm1::*handler)()) {
        connect(b, &QPushButton::clicked, this, [this, handler] { guarded([this, handler] { (this->*handler)(); }); });
    };
    auto onTrigger = [this](QAction* a, void (TForm1::*handler)()) {
        connect(a, &QAction::triggered, this, [this, handler] { guarded([this, handler] { (this->*handler)(); }); });
    };
    onTrigger(Konec1, &TForm1::Konec1Click);
    onTrigger(Otevt1, &TForm1::Otevt1Click);
    onTrigger(Uloit1, &TForm1::Uloit1Click);
    onTrigger(Nastavenprogramu1, &TForm1::Nastavenprogramu1Click);
    onTrigger(Nastavenjednotky1, &TForm1::Nastavenjednotky1Click);
    onTrigger(Oprogramu1, &TForm1::Oprogramu1Click);
    onClick(btn_connect, &TForm1::btn_connectClick);
    onClick(btn_receive, &TForm1::btn_receiveClick);
    onClick(btn_draw, &TForm1::btn_drawClick);
    onClick(btn_save, &TForm1::btn_saveClick);
    onClick(btn_load, &TForm1::btn_loadClick);
    onClick(btn_export, &TForm1::btn_exportClick);
    onClick(btb_loadset, &TForm1::btb_loadsetClick);
    onClick(btn_saveset, &TForm1::btn_savesetClick);
    onClick(btn_systime, &TForm1::btn_systimeClick);

    auto onSocket = [this](auto signal, void (TForm1::*handler)()) {
        connect(ClientSocket, signal, this, [this, handler] { guarded([this, handler] { (this->*handler)(); }); });
    };
    onSocket(&::ClientSocket::connected, &TForm1::ClientSocketConnect);
    onSocket(&::ClientSocket::disconnected, &TForm1::ClientSocketDisconnect);
    onSocket(&::ClientSocket::readyRead, &TForm1::ClientSocketRead);
    connect(ClientSocket, &::ClientSocket::error, this, [this](int code) { guarded([&] { ClientSocketError(code); }); });
}

void TForm1::guarded(const std::function<void()>& handler)
{
    try {
        handler();
    } catch (const SilentAbort&) {
    } catch (const std::exception& e) {
        showError(QString::fromUtf8(e.what()));
    } catch (...) {
        showError(QString());
    }
}

void TForm1::showError(const QString& message)
{
    m_env.dialogs->error(this, applicationTitle(), message);
}

void TForm1::logLine(const QString& text)
{
    Memo1->appendText(text);
}

void TForm1::refreshTable()
{
    m_tableRefreshTimer.stop();
    m_tableModel->tableChanged();
}

void TForm1::scheduleTableRefresh()
{
    if (!m_tableRefreshTimer.isActive())
        m_tableRefreshTimer.start();
}

void TForm1::FormCreate()
{
    const ProgramSettings settings = readProgramSettings(settingsPathFor(m_env.executablePath));
    edt_ip->setText(settings.address);
    ColorBox->selectCode(settings.graphColor);
    m_table.writeHeader();
    refreshTable();
}

void TForm1::FormDestroy()
{
    if (m_destroyed)
        return;
    m_destroyed = true;
    writeProgramSettings(settingsPathFor(m_env.executablePath), {edt_ip->text(), ColorBox->selectedCode()});
}

void TForm1::closeEvent(QCloseEvent* event)
{
    bool canClose = true;
    guarded([&] { FormCloseQuery(canClose); });
    if (canClose)
        event->accept();
    else
        event->ignore();
}

void TForm1::FormCloseQuery(bool& canClose)
{
    const auto answer = m_env.dialogs->askYesNo(this, QStringLiteral("Konec"),
                                                QStringLiteral("Opravdu ukon\u010dit program?"));
    // Only an explicit No keeps the window; a box that failed lets it close.
    if (answer == Dialogs::Answer::No)
        canClose = false;
}

void TForm1::Konec1Click()
{
    // Leaves the event loop without asking the window to close, so no confirmation.
    QCoreApplication::exit(0);
}

void TForm1::Nastavenprogramu1Click()
{
    PageControl1->setCurrentWidget(TabSheetSettings);
}

void TForm1::Nastavenjednotky1Click()
{
    PageControl1->setCurrentWidget(TabSheetSettings);
}

void TForm1::Otevt1Click()
{
    btn_loadClick();
}

void TForm1::Uloit1Click()
{
    btn_saveClick();
}

void TForm1::Oprogramu1Click()
{
    m_env.dialogs->information(this, QStringLiteral("O programu - Kestrova"),
                               QStringLiteral("Kestrova v0.8 - Win klient\n\nAutor: v\u00fdvojov\u00fd t\u00fdm Kestrova"));
}
