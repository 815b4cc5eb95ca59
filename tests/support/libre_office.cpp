#include "support/libre_office.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <fstream>

namespace zel::test {
namespace {

constexpr int kRunLimitMs = 120'000;

std::string Extension(const std::string& format) {
    return format.substr(0, format.find(':'));
}

std::string ConvertedPath(const std::string& file, const std::string& format,
                          const std::string& outFolder) {
    return outFolder + "/" +
           QFileInfo(QString::fromStdString(file)).completeBaseName().toStdString() + "." +
           Extension(format);
}

}  // namespace

LibreOffice::LibreOffice(const std::string& folder) : profile_(folder + "/libreoffice-profile") {
    SeedProfile();
}

// LibreOffice 7.4 runs its graphics render tests, some seven seconds, at every start whose
// profile has not recorded the version that runs, and a headless conversion never records it.
// A profile that says a later version ran already starts at once.
void LibreOffice::SeedProfile() const {
    QDir().mkpath(QString::fromStdString(profile_ + "/user"));
    std::ofstream(profile_ + "/user/registrymodifications.xcu")
        << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<oor:items xmlns:oor=\"http://openoffice.org/2001/registry\" "
           "xmlns:xs=\"http://www.w3.org/2001/XMLSchema\" "
           "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\">\n"
           "<item oor:path=\"/org.openoffice.Setup/Product\"><prop oor:name=\"ooSetupLastVersion\" "
           "oor:op=\"fuse\"><value>99.0</value></prop></item>\n"
           "</oor:items>\n";
}

bool LibreOffice::Convert(const std::vector<std::string>& files, const std::string& format,
                          const std::string& outFolder) {
    error_.clear();
    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (soffice.isEmpty()) {
        error_ =
            "LibreOffice (soffice) is not installed; `bash tools/install-deps.sh --tests` "
            "installs it";
        return false;
    }
    QStringList arguments{QStringLiteral("--headless"),
                          QString::fromStdString("-env:UserInstallation=file://" + profile_),
                          QStringLiteral("--convert-to"),
                          QString::fromStdString(format),
                          QStringLiteral("--outdir"),
                          QString::fromStdString(outFolder)};
    for (const std::string& file : files) {
        QFile::remove(QString::fromStdString(ConvertedPath(file, format, outFolder)));
        arguments << QString::fromStdString(file);
    }
    QProcess office;
    office.start(soffice, arguments);
    if (!office.waitForFinished(kRunLimitMs)) {
        office.kill();
        office.waitForFinished();
        error_ = "soffice did not end within " + std::to_string(kRunLimitMs / 1000) + " s";
        return false;
    }
    const std::string told =
        QString::fromUtf8(office.readAllStandardOutput() + office.readAllStandardError())
            .toStdString();
    if (office.exitStatus() != QProcess::NormalExit || office.exitCode() != 0) {
        error_ = "soffice failed: " + told;
        return false;
    }
    // soffice ends with 0 also when it could not load a file: only the results tell.
    for (const std::string& file : files) {
        const std::string converted = ConvertedPath(file, format, outFolder);
        if (!QFileInfo::exists(QString::fromStdString(converted))) {
            error_ = "soffice wrote no " + converted + ": " + told;
            return false;
        }
    }
    return true;
}

}  // namespace zel::test
