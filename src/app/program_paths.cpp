#include "app/program_paths.h"

#include <filesystem>
#include <system_error>

#include <QCoreApplication>
#include <QStringList>
#include <QTextStream>

#include "features/data_folder.h"
#include "settings/settings_store.h"
#include "ui/common/desktop.h"

namespace fs = std::filesystem;

namespace {

QString FoundFolder(const fs::path& folder) {
    std::error_code error;
    if (!fs::is_directory(folder, error)) return {};
    const fs::path full = fs::canonical(folder, error);
    return QString::fromStdString((error ? folder : full).string());
}

void PrintHelp(QTextStream& out) {
    out << "Usage: tidewell [--help | --paths]\n\n"
           "Tidewell shows the Moon for the present moment and the selected day; started\n"
           "without options it opens its main window.\n\n"
           "  --paths   print where the feature data (Data/), the help page, the window icon\n"
           "            and the settings database were found; exit status 1 when a file\n"
           "            supplied with the program is missing. Needs no display.\n"
           "  --help    this text\n\n"
           "Files supplied with the program are looked for in the working directory, beside\n"
           "the program, in the build folder, then in share/tidewell beside the program's\n"
           "bin/ folder and in "
        << QString::fromStdString(InstalledDataFolder().string()) << ".\n";
}

} // namespace

QList<TProgramPath> ProgramPaths() {
    const fs::path exe = QCoreApplication::applicationDirPath().toStdString();
    return {
        {QStringLiteral("Data"), FoundFolder(FindDataFolder(exe))},
        {QStringLiteral("Help page"), ProgramFile(QStringLiteral("docs/tidewell.htm"))},
        {QStringLiteral("Icon"), ProgramFile(QStringLiteral("Tidewell.ico"))},
        {QStringLiteral("Settings"), QString::fromStdString(TSettingsStore::DefaultPath()), false},
    };
}

bool IsCommandLineRequest(const QStringList& words) {
    for (const QString& word : words)
        if (word == "--paths" || word == "--help" || word == "-h") return true;
    return false;
}

int RunCommandLine(const QStringList& words, QTextStream& out, QTextStream& err) {
    if (!words.contains("--paths")) {
        PrintHelp(out);
        return 0;
    }
    int status = 0;
    for (const TProgramPath& path : ProgramPaths()) {
        out << path.What << ": "
            << (path.Path.isEmpty() ? QStringLiteral("(not found)") : path.Path) << '\n';
        if (path.Supplied && path.Path.isEmpty()) status = 1;
    }
    if (status != 0) {
        err << "tidewell: looked in";
        const fs::path exe = QCoreApplication::applicationDirPath().toStdString();
        for (const fs::path& folder : RuntimeSearchFolders(exe)) {
            std::error_code error;
            fs::path shown = (folder.empty() ? fs::current_path(error) : folder).lexically_normal();
            if (!shown.has_filename() && shown.has_parent_path()) shown = shown.parent_path();
            err << ' ' << QString::fromStdString(shown.string());
        }
        err << '\n';
    }
    return status;
}
