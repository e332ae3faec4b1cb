// SPDX-License-Identifier: GPL-3.0-or-later
#include "features/feature_file.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "engine/text_helpers.h"
#include "features/feature_position.h"
#include "features/feature_record.h"

namespace {

constexpr int DisplayNameCharacters = 20;

// The feature of a record FeatureRecordDamage finds whole.
TFeature FeatureOf(TFeatureRecord&& record) {
    TFeature feature;
    feature.Name = std::move(record.Name);
    feature.LatitudeDeg =
        SignedFeatureAngleDeg(record.LatDeg, record.LatMin, record.LatSec, record.LatDir, "S")
            .value_or(0.0);
    feature.LongitudeDeg =
        SignedFeatureAngleDeg(record.LongDeg, record.LongMin, record.LongSec, record.LongDir, "W")
            .value_or(0.0);
    feature.DiameterKm = record.DiameterKm;
    feature.Comment = std::move(record.Comments);
    return feature;
}

// Closes a file descriptor when it goes out of scope.
class TFileDescriptor {
  public:
    explicit TFileDescriptor(int fd) : Fd_(fd) {}
    ~TFileDescriptor() {
        if (Fd_ >= 0) ::close(Fd_);
    }
    TFileDescriptor(const TFileDescriptor&) = delete;
    TFileDescriptor& operator=(const TFileDescriptor&) = delete;
    [[nodiscard]] int Get() const { return Fd_; }

  private:
    int Fd_;
};

// The whole file, when it is a regular file of at most MaxFeatureFileBytes. Opened without
// blocking (a FIFO would otherwise wait for a writer forever) and checked on the open
// descriptor, so a file swapped between the check and the read cannot slip through; the
// read stops at the limit even if the file grows meanwhile.
TFeatureFileStatus ReadFeatureBytes(const std::filesystem::path& path, std::string& bytes,
                                    std::uintmax_t& size) {
    const TFileDescriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    struct stat info {};
    if (file.Get() < 0 || ::fstat(file.Get(), &info) != 0 || !S_ISREG(info.st_mode))
        return TFeatureFileStatus::NotFound;
    size = static_cast<std::uintmax_t>(info.st_size);
    if (size > MaxFeatureFileBytes) return TFeatureFileStatus::TooLarge;
    bytes.resize(MaxFeatureFileBytes + 1);
    std::size_t filled = 0;
    while (filled < bytes.size()) {
        const ssize_t count = ::read(file.Get(), bytes.data() + filled, bytes.size() - filled);
        if (count == 0) break;
        if (count < 0) {
            if (errno == EINTR) continue;
            return TFeatureFileStatus::NotFound;
        }
        filled += static_cast<std::size_t>(count);
    }
    size = filled;
    if (filled > MaxFeatureFileBytes) return TFeatureFileStatus::TooLarge;
    bytes.resize(filled);
    return TFeatureFileStatus::Loaded;
}

} // namespace

std::filesystem::path FeatureFilePath(std::string_view displayName,
                                      const std::filesystem::path& dataFolder) {
    return dataFolder / (Utf8Prefix(displayName, DisplayNameCharacters) + ".dat");
}

TFeatureFileLoad LoadFeatureFile(TFeatureTable& table, std::string_view displayName,
                                 const std::filesystem::path& dataFolder) {
    table.Features.clear();
    TFeatureFileLoad load;
    load.Path = FeatureFilePath(displayName, dataFolder);
    std::string bytes;
    load.Status = ReadFeatureBytes(load.Path, bytes, load.Bytes);
    if (load.Status != TFeatureFileStatus::Loaded) return load;
    if (bytes.size() % FeatureRecordSize != 0) {
        load.Status = TFeatureFileStatus::Damaged;
        load.Damage = "its " + std::to_string(bytes.size()) + " bytes are not a whole number of " +
                      std::to_string(FeatureRecordSize) + "-byte records";
        return load;
    }
    load.Damage = DecodeFeatureRecords(table, bytes);
    if (!load.Damage.empty()) load.Status = TFeatureFileStatus::Damaged;
    return load;
}

std::string FeatureFileProblem(const TFeatureFileLoad& load) {
    const std::string file = "the feature file " + load.Path.string();
    switch (load.Status) {
    case TFeatureFileStatus::Loaded:
        break;
    case TFeatureFileStatus::NotFound:
        return file + " was not found";
    case TFeatureFileStatus::TooLarge:
        return file + " is too large: " + std::to_string(load.Bytes) + " bytes, more than the " +
               std::to_string(MaxFeatureFileBytes) + " a feature file may hold";
    case TFeatureFileStatus::Damaged:
        return file + " is damaged: " + load.Damage;
    }
    return {};
}

std::string DecodeFeatureRecords(TFeatureTable& table, std::string_view bytes) {
    table.Features.clear();
    table.Features.reserve(bytes.size() / FeatureRecordSize);
    TFeatureRecordBytes bytesOfRecord;
    for (std::size_t at = 0; at + FeatureRecordSize <= bytes.size(); at += FeatureRecordSize) {
        std::memcpy(bytesOfRecord.data(), bytes.data() + at, FeatureRecordSize);
        TFeatureRecord record = DecodeFeatureRecord(bytesOfRecord);
        const std::string wrong = FeatureRecordDamage(record);
        if (!wrong.empty()) {
            const std::size_t number = table.Features.size() + 1;
            table.Features.clear();
            return "record " + std::to_string(number) + " " + wrong;
        }
        table.Features.push_back(FeatureOf(std::move(record)));
    }
    return {};
}
