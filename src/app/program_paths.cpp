// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/program_paths.h"

#include <filesystem>
#include <system_error>

#include <QCoreApplication>
#include <QFileInfo>
#include <QStringList>
#include <QTextStream>

#include "app/program_options.h"
#include "engine/program_version.h"
#include "features/data_folder.h"
#include "features/feature_file.h"
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
    out << "Usage: tidewell [--help | --version | --paths] [Qt options]\n\n"
           "Tidewell shows the Moon for the present moment and the selected day; started\n"
           "without options it opens its main window.\n\n"
           "  --paths     print where the feature data (Data/), the help page, the window\n"
           "              icon and the settings database were found (a settings database\n"
           "              not made yet is marked \"will be created\"); exit status 1 when a\n"
           "              file supplied with the program is missing. Needs no display.\n"
           "  --version   the version and the licence\n"
           "  --help      this text\n\n"
           "Qt's options for the windows are passed on to Qt (-platform NAME, -style NAME,\n"
           "-display DISPLAY, -reverse, ...). Any other option is refused (exit status 2).\n\n"
           "Files supplied with the program are looked for beside the program, in the build\n"
           "folder when it runs from one, then in share/tidewell beside the program's bin/\n"
           "folder and in "
        << QString::fromStdString(InstalledDataFolder().string()) << ".\n";
}

// The feature files a data folder lacks, named as on disk.
QString MissingFeatureFiles(const QString& folder) {
    QStringList missing;
    for (const std::string_view name : FeatureFileNames) {
        const fs::path file = FeatureFilePath(name, folder.toStdString());
        std::error_code error;
        if (!fs::is_regular_file(file, error))
            missing << QString::fromStdString(file.filename().string());
    }
    return missing.isEmpty() ? QString() : QStringLiteral("missing ") + missing.join(", ");
}

QString ShownPath(const TProgramPath& path) {
    if (path.Path.isEmpty()) return QStringLiteral("(not found)");
    if (!path.Problem.isEmpty()) return path.Path + " (" + path.Problem + ")";
    if (!path.Supplied && !QFileInfo::exists(path.Path)) return path.Path + " (will be created)";
    return path.Path;
}

} // namespace

QList<TProgramPath> ProgramPaths() {
    const fs::path exe = QCoreApplication::applicationDirPath().toStdString();
    const QString data = FoundFolder(FindDataFolder(exe));
    return {
        {QStringLiteral("Data"), data, true,
         data.isEmpty() ? QString() : MissingFeatureFiles(data)},
        {QStringLiteral("Help page"), ProgramFile(QStringLiteral("docs/tidewell.htm")), true, {}},
        {QStringLiteral("Icon"), ProgramFile(QStringLiteral("Tidewell.ico")), true, {}},
        {QStringLiteral("Settings"),
         QString::fromStdString(TSettingsStore::DefaultPath()),
         false,
         {}},
    };
}

bool IsCommandLineRequest(const QStringList& words) {
    return ReadProgramOptions(words).Request != TProgramRequest::Windows;
}

int RunCommandLine(const QStringList& words, QTextStream& out, QTextStream& err) {
    const TProgramOptions options = ReadProgramOptions(words);
    switch (options.Request) {
    case TProgramRequest::Refused:
        err << "tidewell: " << options.Refusal << '\n';
        return 2;
    case TProgramRequest::Version:
        out << QString::fromStdString(VersionNotice("tidewell"));
        return 0;
    case TProgramRequest::Paths:
        break;
    default:
        PrintHelp(out);
        return 0;
    }
    int status = 0;
    for (const TProgramPath& path : ProgramPaths()) {
        out << path.What << ": " << ShownPath(path) << '\n';
        if (path.Supplied && (path.Path.isEmpty() || !path.Problem.isEmpty())) status = 1;
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
