#include "ui/app/Application.h"

#include <QFont>
#include <QLibraryInfo>
#include <QStatusBar>
#include <QToolBar>
#include <QTranslator>

#include "app/command_table.h"
#include "app/guide.h"
#include "app/lan_station.h"
#include "app/messages.h"
#include "app/startup_loader.h"
#include "maintenance/backup.h"
#include "settings/messages.h"
#include "ui/app/BakWnd.h"
#include "ui/app/WindowRegistry.h"

namespace rk::ui {

Application::Application(Edition edition, std::filesystem::path programFolder)
    : ctx_(edition, std::move(programFolder)), station_(std::make_unique<LanStation>()) {}

Application::~Application() = default;

void Application::prepareQt(QApplication& app, Edition edition) {
    const auto title = info(edition).title;
    app.setApplicationDisplayName(QString::fromUtf8(title.data(), static_cast<qsizetype>(title.size())));
    auto* translator = new QTranslator(&app);
    if (translator->load("qtbase_ja", QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(translator);
    QFont font("IPAGothic");
    font.setPixelSize(14);
    app.setFont(font);
}

bool Application::start() {
    // Editions 1 and 2 look for another running copy; the finance edition does not.
    bool alone = true;
    if (ctx_.edition != Edition::Finance) {
        alone = instance_.acquire(ctx_.fileSet.instanceLockFile(ctx_.edition));
    }

    frame_ = std::make_unique<MainFrame>(ctx_, dialogs_);
    dialogs_.setParent(frame_.get());
    frame_->show();
    frame_->createBackground();

    if (!alone && dialogs_.ask(msg::kAlreadyRunning, Buttons::YesNo, Answer::No, Icon::Stop) != Answer::Yes)
        return false;

    // The loader works with the bars hidden.
    for (QToolBar* bar : frame_->findChildren<QToolBar*>()) bar->hide();
    frame_->statusBar()->hide();

    prompts_ = std::make_unique<GuiStartupPrompts>(frame_.get());
    WindowRegistry* registry = frame_->registry();
    prompts_->explain = [this, registry] {
        ctx_.topic = std::string(kMissingDataTopic);
        registry->open(cmd::kGuide);
    };
    // The settings and conversion windows open in their start-up mode: the flag's -1 asks for it.
    auto startupOpener = [this, registry](int command, int flag) -> std::function<bool()> {
        if (!registry->isAvailable(command)) return {};
        return [this, registry, command, flag] {
            ctx_.windowFlags[flag] = -1;
            if (registry->open(command)) return true;
            ctx_.windowFlags[flag] = 0;
            return false;
        };
    };
    prompts_->openBasicSettings = startupOpener(cmd::kBasicSettings, kBasicSettingsFlag);
    prompts_->openConversion = startupOpener(cmd::kConversion, kConversionFlag);
    if (runStartupLoader(ctx_, dialogs_, *prompts_, *station_) != StartupResult::Run) return false;
    frame_->refreshAll();
    ctx_.started = true;
    return true;
}

int Application::finish() {
    if (!ctx_.started) return 0;
    // After a restore the files on disk are the restored ones: the settings in memory are not
    // written over them, and no automatic backup rotates a generation away.
    const bool replaced = frame_ && frame_->filesReplaced();
    if (frame_ && !replaced) frame_->rememberGeometry();
    // Only what this run changed (the frame's place, the table columns) is stored, so what
    // the settings window or another edition wrote meanwhile stays.
    if (!replaced) {
        if (const WriteResult r = ctx_.storeSettings(); !r.ok())
            dialogs_.message(r.message(rk::msg::kSettingsWriteFailed), Icon::Stop);
    }
    bool runBackup = false;
    const int code = station_->unregisterAtExit(ctx_, dialogs_, runBackup);
    if (runBackup && !replaced) (void)maintenance::exitBackup(ctx_, dialogs_);
    return code;
}

int runEdition(Edition edition, int argc, char** argv) {
    QApplication app(argc, argv);
    Application::prepareQt(app, edition);
    // The program folder is the folder the program was started in.
    Application program(edition, std::filesystem::current_path());
    if (!program.start()) return 0;
    const int status = app.exec();
    const int exitCode = program.finish();
    return status != 0 ? status : exitCode;
}

}  // namespace rk::ui
