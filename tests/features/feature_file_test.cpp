// SPDX-License-Identifier: GPL-3.0-or-later
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <future>
#include <limits>
#include <random>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "features/data_folder.h"
#include "features/feature_file.h"
#include "features/feature_position.h"
#include "features/feature_record.h"
#include "features/windows1252.h"

namespace fs = std::filesystem;

namespace {

class TTempFolder {
  public:
    TTempFolder() {
        std::string pattern = (fs::temp_directory_path() / "tidewell-features-XXXXXX").string();
        if (mkdtemp(pattern.data())) Path_ = pattern;
    }
    ~TTempFolder() {
        std::error_code ignored;
        fs::remove_all(Path_, ignored);
    }
    [[nodiscard]] const fs::path& Path() const { return Path_; }

  private:
    fs::path Path_;
};

// A record laid out byte by byte: the length byte, then the characters.
struct TRawRecord {
    TFeatureRecordBytes Bytes{};
    void Text(std::size_t offset, std::uint8_t length, std::string_view bytes) {
        Bytes[offset] = length;
        std::memcpy(Bytes.data() + offset + 1, bytes.data(), bytes.size());
    }
    void Diameter(double km) { std::memcpy(Bytes.data() + 68, &km, 8); } // little-endian host
};

TRawRecord Copernicus() {
    TRawRecord r;
    r.Text(0, 10, "Copernicus");
    r.Text(41, 1, "N");
    r.Text(44, 1, "9");
    r.Text(48, 2, "37");
    r.Text(51, 2, "15");
    r.Text(54, 1, "W");
    r.Text(57, 2, "20");
    r.Text(61, 2, "04");
    r.Text(64, 2, "43");
    r.Diameter(93.0);
    r.Text(76, 35, std::string(35, '\xFF')); // picture name: never read
    r.Text(112, 8, "Nicholas");
    return r;
}

void WriteFile(const fs::path& path, const std::vector<TFeatureRecordBytes>& records,
               std::size_t extraBytes = 0) {
    std::ofstream out(path, std::ios::binary);
    for (const auto& record : records)
        out.write(reinterpret_cast<const char*>(record.data()), record.size());
    out << std::string(extraBytes, 'x');
}

TEST(FeatureRecord, FieldsAtTheirOffsets) {
    TRawRecord raw = Copernicus();
    const TFeatureRecord record = DecodeFeatureRecord(raw.Bytes);
    EXPECT_EQ(record.Name, "Copernicus");
    EXPECT_EQ(record.LatDir, "N");
    EXPECT_EQ(record.LatDeg + " " + record.LatMin + " " + record.LatSec, "9 37 15");
    EXPECT_EQ(record.LongDir, "W");
    EXPECT_EQ(record.LongDeg + " " + record.LongMin + " " + record.LongSec, "20 04 43");
    EXPECT_EQ(record.DiameterKm, 93.0);
    EXPECT_EQ(record.Comments, "Nicholas");

    // Lengths larger than their fields are cut to the field; nothing beyond is read.
    raw.Text(0, 200, std::string(40, 'A'));
    raw.Bytes[41] = 200; // LatDir's room is 2 bytes: "N" and the byte after it
    raw.Text(112, 255, std::string(255, 'c'));
    const TFeatureRecord cut = DecodeFeatureRecord(raw.Bytes);
    EXPECT_EQ(cut.Name, std::string(40, 'A'));
    EXPECT_EQ(cut.LatDir.size(), 1u); // "N" followed by a NUL, which is dropped
    EXPECT_EQ(cut.LatDeg, "9");
    EXPECT_EQ(cut.Comments, std::string(255, 'c'));
}

TEST(FeaturePosition, SidesGiveTheSignAndSplitBackToTheSameCells) {
    // Degrees, minutes, seconds, side and the negative side; a zero angle keeps its side.
    for (const auto& [d, m, s, side, negative] : {std::array{"9", "37", "15", "N", "S"},
                                                  {"179", "59", "59", "W", "W"},
                                                  {"0", "00", "00", "S", "S"},
                                                  {"90", "00", "01", "s", "S"}}) {
        const double angle = SignedFeatureAngleDeg(d, m, s, side, negative).value();
        EXPECT_DOUBLE_EQ(std::fabs(angle),
                         std::stoi(d) + std::stoi(m) / 60.0 + std::stoi(s) / 3600.0);
        const TFeatureDms dms = FeatureDms(angle);
        EXPECT_EQ(std::vector({dms.Degrees, dms.Minutes, dms.Seconds, int(dms.Negative)}),
                  std::vector({std::stoi(d), std::stoi(m), std::stoi(s),
                               int(side == std::string(negative))}));
    }
}

TEST(Windows1252, DecodesTheCodePageAndEncodesWithTransliteration) {
    EXPECT_EQ(Windows1252ToUtf8("Ang\xE5"
                                "str\xF6m \x80 \x93"
                                "E\x94 \x96 \x8A\x9E"),
              "Ang\u00E5str\u00F6m \u20AC \u201CE\u201D \u2013 \u0160\u017E");
    EXPECT_EQ(Windows1252ToUtf8("\x81\x8D"), "\uFFFD\uFFFD");
    EXPECT_EQ(Utf8ToWindows1252("Abū al-Wafā al-Būzajāni"), "Abu al-Wafa al-Buzajani");
    EXPECT_EQ(Utf8ToWindows1252("Anděl, Armiński, Řeháček"), "Andel, Arminski, Reh\xE1"
                                                             "cek");
    EXPECT_EQ(Utf8ToWindows1252("Eugène Ångström “Earthrise” Moon’s Šafařík"),
              "Eug\xE8ne \xC5ngstr\xF6m \x93"
              "Earthrise\x94 Moon\x92s \x8A"
              "afar\xEDk");
    EXPECT_EQ(Utf8ToWindows1252("e\xCC\x81"), "e");                // combining accent dropped
    EXPECT_EQ(Utf8ToWindows1252("\xE6\x9C\x88 \xFF\xC3"), "? ??"); // Han, malformed bytes
    EXPECT_EQ(Utf8ToWindows1252("\xF0\x9F\x8C\x95!"), "?!");       // beyond 16 bits
    // Every byte survives the way out and back, the five unassigned ones excepted.
    for (int b = 1; b < 256; ++b) {
        const std::string byte(1, static_cast<char>(b));
        if (b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D) continue;
        EXPECT_EQ(Utf8ToWindows1252(Windows1252ToUtf8(byte)), byte) << b;
    }
}

TEST(FeatureRecord, EncodingCutsToTheFields) {
    TFeatureRecord record;
    record.Name = std::string(39, 'n') + "āb";
    record.LatDeg = "1234";
    record.Comments = std::string(300, 'c');
    record.DiameterKm = 12.5;
    const TFeatureRecord back = DecodeFeatureRecord(EncodeFeatureRecord(record));
    EXPECT_EQ(back.Name, std::string(39, 'n') + "a");
    EXPECT_EQ(back.LatDeg, "123");
    EXPECT_EQ(back.Comments, std::string(255, 'c'));
    EXPECT_EQ(back.DiameterKm, 12.5);
}

TEST(LoadFeatureFile, WholeRecordsOnlyAndMissingFilesAreEmpty) {
    TTempFolder folder;
    const auto record = Copernicus().Bytes;
    TFeatureTable table;
    // A file cut short of a whole record, or with bytes beyond the last, is damaged: named,
    // and nothing of it shown.
    for (const auto& [records, extra] : std::vector<std::pair<std::size_t, std::size_t>>{
             {0, 367}, {3, 100}, {3, 367}, {0, 0}, {1, 0}}) {
        WriteFile(folder.Path() / "Rima.dat", std::vector<TFeatureRecordBytes>(records, record),
                  extra);
        const TFeatureFileLoad load = LoadFeatureFile(table, "Rima", folder.Path());
        const bool whole = extra == 0;
        EXPECT_EQ(load.Status, whole ? TFeatureFileStatus::Loaded : TFeatureFileStatus::Damaged);
        EXPECT_EQ(table.FeatureCount(), whole ? static_cast<int>(records) : 0);
        EXPECT_EQ(FeatureFileProblem(load),
                  whole ? ""
                        : "the feature file " + (folder.Path() / "Rima.dat").string() +
                              " is damaged: its " + std::to_string(records * 368 + extra) +
                              " bytes are not a whole number of 368-byte records");
    }
    // Every load closes its file: as many descriptors are open after a hundred loads.
    const auto openFiles = [] {
        return std::distance(fs::directory_iterator("/proc/self/fd"), {});
    };
    const auto open = openFiles();
    for (int i = 0; i < 100; ++i)
        (void)LoadFeatureFile(table, "Rima", folder.Path());
    EXPECT_EQ(openFiles(), open);
    const TFeature& feature = table.Features.back();
    EXPECT_EQ(feature.Name, "Copernicus");
    EXPECT_DOUBLE_EQ(feature.LatitudeDeg, 9 + 37 / 60.0 + 15 / 3600.0);
    EXPECT_DOUBLE_EQ(feature.LongitudeDeg, -(20 + 4 / 60.0 + 43 / 3600.0));
    EXPECT_EQ(feature.DiameterKm, 93.0);
    EXPECT_EQ(feature.Comment, "Nicholas");

    // A second, missing file empties the table; so does a folder in the file's place.
    EXPECT_EQ(FeatureFileProblem(LoadFeatureFile(table, "Sinus", folder.Path())),
              "the feature file " + (folder.Path() / "Sinus.dat").string() + " was not found");
    EXPECT_EQ(table.FeatureCount(), 0);
    fs::create_directory(folder.Path() / "Mare.dat");
    LoadFeatureFile(table, "Mare", folder.Path());
    EXPECT_EQ(table.FeatureCount(), 0);

    // Names are cut to 20 characters before the file is looked for.
    WriteFile(folder.Path() / "Promontorium Extende.dat", {record});
    LoadFeatureFile(table, "Promontorium Extended Name", folder.Path());
    EXPECT_EQ(table.FeatureCount(), 1);
}

TEST(LoadFeatureFile, RecordsThatCannotBeFeaturesMakeTheFileDamaged) {
    TTempFolder folder;
    using Edit = std::function<void(TRawRecord&)>;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const std::pair<Edit, const char*> cases[] = {
        {[](TRawRecord& r) { r.Text(0, 0, ""); }, "has no name"},
        {[](TRawRecord& r) { r.Text(0, 4, "Co\x1bp"); }, "has a control character in its name"},
        {[](TRawRecord& r) { r.Text(0, 3, "C\x7f."); }, "has a control character in its name"},
        {[](TRawRecord& r) { r.Text(44, 2, "91"); }, "has a latitude beyond 90 degrees"},
        {[](TRawRecord& r) { r.Text(44, 2, "90"); }, "has a latitude beyond 90 degrees"},
        {[](TRawRecord& r) { r.Text(44, 2, "9x"); }, "latitude that is not in degrees"},
        {[](TRawRecord& r) { r.Text(48, 2, "60"); }, "latitude that is not in degrees"},
        {[](TRawRecord& r) { r.Text(44, 2, "-5"); }, "latitude that is not in degrees"},
        {[](TRawRecord& r) { r.Text(57, 3, "180"); }, "has a longitude beyond 180 degrees"},
        {[](TRawRecord& r) { r.Text(64, 0, ""); }, "longitude that is not in degrees"},
        {[](TRawRecord& r) { r.Diameter(-0.5); }, "diameter that is negative or not a number"},
        {[nan](TRawRecord& r) { r.Diameter(nan); }, "diameter that is negative or not a number"},
        {[inf](TRawRecord& r) { r.Diameter(inf); }, "diameter that is negative or not a number"},
    };
    TFeatureTable table;
    for (const auto& [edit, damage] : cases) {
        TRawRecord bad = Copernicus();
        edit(bad);
        WriteFile(folder.Path() / "Mons.dat", {Copernicus().Bytes, bad.Bytes, bad.Bytes});
        const TFeatureFileLoad load = LoadFeatureFile(table, "Mons", folder.Path());
        EXPECT_EQ(load.Status, TFeatureFileStatus::Damaged) << damage;
        EXPECT_EQ(table.FeatureCount(), 0) << damage;
        EXPECT_THAT(FeatureFileProblem(load),
                    testing::MatchesRegex(".*Mons\\.dat is damaged: record 2 .*"))
            << damage;
        EXPECT_THAT(load.Damage, testing::HasSubstr(damage));
    }
    // The edges themselves are features: a pole, the far meridian, no size at all.
    TRawRecord edge = Copernicus();
    for (const auto& [offset, text] :
         {std::pair{44, "90"}, {48, "00"}, {51, "00"}, {61, "59"}, {64, "59"}, {57, "179"}})
        edge.Text(offset, static_cast<std::uint8_t>(std::strlen(text)), text);
    edge.Diameter(0.0);
    WriteFile(folder.Path() / "Mons.dat", {edge.Bytes});
    EXPECT_EQ(LoadFeatureFile(table, "Mons", folder.Path()), TFeatureFileStatus::Loaded);
}

TEST(LoadFeatureFile, RandomBytesGiveBoundedValidTextAndAreDamaged) {
    std::mt19937 random(20260607);
    std::vector<TFeatureRecordBytes> records(2000);
    for (auto& record : records)
        for (auto& byte : record)
            byte = static_cast<std::uint8_t>(random());
    std::string bytes(reinterpret_cast<const char*>(records.data()), records.size() * 368);
    TFeatureTable table;
    EXPECT_THAT(DecodeFeatureRecords(table, bytes), testing::StartsWith("record 1 has"));
    EXPECT_EQ(table.FeatureCount(), 0);
    const std::array<std::size_t, 10> roomBytes = {40, 2, 3, 2, 2, 2, 3, 2, 2, 255};
    std::size_t worst = 0;
    for (const TFeatureRecordBytes& bytesOfRecord : records) {
        const TFeatureRecord record = DecodeFeatureRecord(bytesOfRecord);
        const std::string* texts[] = {
            &record.Name,    &record.LatDir,  &record.LatDeg,  &record.LatMin,  &record.LatSec,
            &record.LongDir, &record.LongDeg, &record.LongMin, &record.LongSec, &record.Comments};
        for (std::size_t c = 0; c < roomBytes.size(); ++c) {
            // A Windows-1252 byte is at most 3 bytes of UTF-8.
            ASSERT_LE(texts[c]->size(), 3 * roomBytes[c]) << c;
            ASSERT_EQ(texts[c]->find('\0'), std::string::npos);
            worst = std::max(worst, texts[c]->size());
        }
    }
    EXPECT_LE(worst, 3 * 255u);
}

TEST(LoadFeatureFile, OnlyRegularFilesOfSaneSize) {
    TTempFolder folder;
    TFeatureTable table;
    const auto record = Copernicus().Bytes;
    WriteFile(folder.Path() / "Mare.dat", {record, record});
    EXPECT_EQ(LoadFeatureFile(table, "Mare", folder.Path()), TFeatureFileStatus::Loaded);
    EXPECT_EQ(table.FeatureCount(), 2);

    // A link to /dev/zero would read forever; it is no file of records.
    fs::create_symlink("/dev/zero", folder.Path() / "Rupes.dat");
    EXPECT_EQ(LoadFeatureFile(table, "Rupes", folder.Path()), TFeatureFileStatus::NotFound);
    EXPECT_EQ(table.FeatureCount(), 0);
    fs::create_directory(folder.Path() / "Lacus.dat");
    EXPECT_EQ(LoadFeatureFile(table, "Lacus", folder.Path()), TFeatureFileStatus::NotFound);
    EXPECT_EQ(LoadFeatureFile(table, "Fossa", folder.Path()), TFeatureFileStatus::NotFound);
    // A link to a good file is still read.
    fs::create_symlink(folder.Path() / "Mare.dat", folder.Path() / "Sinus.dat");
    EXPECT_EQ(LoadFeatureFile(table, "Sinus", folder.Path()), TFeatureFileStatus::Loaded);
    EXPECT_EQ(table.FeatureCount(), 2);

    // Sparse files: the limit itself is read, one byte more is refused before any reading.
    const auto sized = [&](const char* name, std::uintmax_t bytes) {
        WriteFile(folder.Path() / (std::string(name) + ".dat"), {record});
        fs::resize_file(folder.Path() / (std::string(name) + ".dat"), bytes);
    };
    // (The hole's zero bytes are records without a name: read, and found damaged.)
    sized("Dorsum", MaxFeatureFileBytes / FeatureRecordSize * FeatureRecordSize);
    const TFeatureFileLoad atLimit = LoadFeatureFile(table, "Dorsum", folder.Path());
    EXPECT_EQ(atLimit.Status, TFeatureFileStatus::Damaged);
    EXPECT_EQ(atLimit.Damage, "record 2 has no name");
    sized("Catena", MaxFeatureFileBytes + 1);
    EXPECT_EQ(LoadFeatureFile(table, "Catena", folder.Path()), TFeatureFileStatus::TooLarge);
    EXPECT_EQ(table.FeatureCount(), 0);
    sized("Albedo", std::uintmax_t{3} << 30);
    const TFeatureFileLoad huge = LoadFeatureFile(table, "Albedo", folder.Path());
    EXPECT_EQ(huge.Status, TFeatureFileStatus::TooLarge);
    EXPECT_EQ(table.FeatureCount(), 0);
    EXPECT_EQ(FeatureFileProblem(huge),
              "the feature file " + (folder.Path() / "Albedo.dat").string() +
                  " is too large: 3221225472 bytes, more than the " +
                  std::to_string(MaxFeatureFileBytes) + " a feature file may hold");
}

TEST(LoadFeatureFile, AFifoDoesNotBlock) {
    TTempFolder folder;
    const fs::path fifo = folder.Path() / "Craters.dat";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    auto load = std::async(std::launch::async, [&] {
        TFeatureTable table;
        return LoadFeatureFile(table, "Craters", folder.Path());
    });
    const bool returned = load.wait_for(std::chrono::seconds(5)) == std::future_status::ready;
    if (!returned) {
        // Release the blocked reader so the test ends with a failure instead of hanging.
        const int writer = open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
        if (writer >= 0) close(writer);
    }
    ASSERT_TRUE(returned) << "loading a FIFO blocked";
    EXPECT_EQ(load.get(), TFeatureFileStatus::NotFound);
}

TEST(DataFolder, BesideTheProgramThenItsBuildTreeThenInstalledNeverTheWorkingFolder) {
    TTempFolder root;
    const fs::path exe = root.Path() / "build" / "src" / "ui";
    const fs::path installed = root.Path() / "share" / "tidewell";
    fs::create_directories(exe);
    fs::create_directories(installed / "Data");
    const fs::path oldCwd = fs::current_path();
    fs::current_path(root.Path());
    fs::create_directories(root.Path() / "Data"); // the user's own folder, in the working folder

    EXPECT_EQ(FindRuntimePath("Data", exe, installed), (installed / "Data").lexically_normal());
    // A Data folder two levels up counts only when that folder is a build tree.
    fs::create_directories(root.Path() / "build" / "Data");
    EXPECT_EQ(FindRuntimePath("Data", exe, installed), (installed / "Data").lexically_normal());
    std::ofstream(root.Path() / "build" / "CMakeCache.txt") << "x";
    EXPECT_EQ(FindRuntimePath("Data", exe, installed),
              (root.Path() / "build" / "Data").lexically_normal());
    fs::create_directories(exe / "Data");
    EXPECT_EQ(FindRuntimePath("Data", exe, installed), (exe / "Data").lexically_normal());
    EXPECT_EQ(FindRuntimePath("docs/tidewell.htm", exe, installed),
              (installed / "docs" / "tidewell.htm").lexically_normal());

    fs::current_path(oldCwd);
}

} // namespace
