#include "host/controls/export/zip_archive_writer.h"

#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <map>
#include <random>
#include <string>

namespace zel {
namespace {

// Checks every entry's checksum with an independent reader and reports each entry's SHA-256.
constexpr const char* kReader = R"(
import hashlib, json, sys, zipfile
archive = zipfile.ZipFile(sys.argv[1])
bad = archive.testzip()
if bad is not None:
    sys.exit("bad entry " + bad)
print(json.dumps({i.filename: hashlib.sha256(archive.read(i)).hexdigest()
                  for i in archive.infolist()}))
)";

std::string Sha256(const std::string& bytes) {
    return QCryptographicHash::hash(QByteArray::fromStdString(bytes), QCryptographicHash::Sha256)
        .toHex()
        .toStdString();
}

// Bytes that hardly compress, so that the compressed entry spans many output buffers.
std::string NoiseBytes(std::size_t size) {
    std::mt19937 random(7);
    std::string bytes(size, '\0');
    for (char& byte : bytes) {
        byte = static_cast<char>(random() & 0xFF);
    }
    return bytes;
}

TEST(ZipArchiveWriterTest, AnotherReaderFindsEveryEntryWhole) {
    const QTemporaryDir dir;
    const std::string path = QDir(dir.path()).filePath("a.zip").toStdString();
    std::string markup;
    for (int i = 0; i < 200'000; ++i) {
        markup += "<row><c><v>" + std::to_string(i) + "</v></c></row>";
    }
    const std::map<std::string, std::string> entries{
        {"empty.txt", ""},
        {"dir/markup.xml", markup},
        {"noise.bin", NoiseBytes(3'000'000)},
    };
    ZipArchiveWriter zip(path);
    ASSERT_TRUE(zip.Open()) << zip.Reason();
    for (const auto& [name, bytes] : entries) {
        ASSERT_TRUE(zip.BeginEntry(name)) << zip.Reason();
        // In uneven pieces, as a writer streams them.
        for (std::size_t start = 0; start < bytes.size(); start += 100'003) {
            ASSERT_TRUE(zip.Write(std::string_view(bytes).substr(start, 100'003)));
        }
    }
    ASSERT_TRUE(zip.Commit()) << zip.Reason();

    QProcess reader;
    reader.start("/usr/bin/python3", {"-c", kReader, QString::fromStdString(path)});
    ASSERT_TRUE(reader.waitForFinished(60000));
    ASSERT_EQ(reader.exitCode(), 0) << reader.readAllStandardError().toStdString();
    const QJsonObject read = QJsonDocument::fromJson(reader.readAllStandardOutput()).object();
    ASSERT_EQ(read.size(), static_cast<qsizetype>(entries.size()));
    for (const auto& [name, bytes] : entries) {
        EXPECT_EQ(read[QString::fromStdString(name)].toString().toStdString(), Sha256(bytes))
            << name;
    }
}

TEST(ZipArchiveWriterTest, AnArchiveThatIsNotCommittedLeavesTheEarlierFile) {
    const QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath("a.zip");
    QFile earlier(path);
    ASSERT_TRUE(earlier.open(QIODevice::WriteOnly));
    earlier.write("earlier");
    earlier.close();
    {
        ZipArchiveWriter zip(path.toStdString());
        ASSERT_TRUE(zip.Open());
        ASSERT_TRUE(zip.BeginEntry("a.txt"));
        ASSERT_TRUE(zip.Write(NoiseBytes(3'000'000)));
    }
    ASSERT_TRUE(earlier.open(QIODevice::ReadOnly));
    EXPECT_EQ(earlier.readAll(), "earlier");
}

}  // namespace
}  // namespace zel
