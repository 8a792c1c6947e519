#include "app/dialogs.h"
#include "app/tform1.h"
#include "app/userlocale.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <cstdio>
#include <cstring>
#include <memory>

namespace
{

void loadCzechTranslations(QApplication& app)
{
    auto* translator = new QTranslator(&app);
    if (translator->load(QStringLiteral("qtbase_cs"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(translator);
}

void showStartupError(const QString& message)
{
    QtDialogs().error(nullptr, TForm1::applicationTitle(), message);
}

} // namespace

int main(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("Kestrova %s\n", KESTROVA_VERSION);
            return 0;
        }
        // For scripts that feed the program readings written the way it reads them.
        if (std::strcmp(argv[i], "--decimal-separator") == 0) {
            std::printf("%c\n", userDecimalSeparator());
            return 0;
        }
    }

    QApplication app(argc, argv);
    app.setApplicationName(TForm1::applicationTitle());
    loadCzechTranslations(app);
    // Every path out of the program ends with exit code 0, one that shows an error included.
    try {
        auto form = std::make_unique<TForm1>(defaultFormEnvironment());
        form->show();
        app.exec();
    } catch (const std::exception& e) {
        showStartupError(QString::fromUtf8(e.what()));
    } catch (...) {
        showStartupError(QString());
    }
    return 0;
}
