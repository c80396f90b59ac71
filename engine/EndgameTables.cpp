#include "EndgameTables.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <system_error>

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kelmarin {

namespace {

constexpr char Mark[8] = {'K', 'E', 'L', 'M', 'E', 'G', 'T', '\n'};
constexpr std::size_t ChecksumAt = 32;

void PutNumber(unsigned char* at, std::uint64_t value, int bytes)
{
    for (int k = 0; k < bytes; ++k)
        at[k] = static_cast<unsigned char>(value >> (8 * k));
}

std::uint64_t GetNumber(const unsigned char* at, int bytes)
{
    std::uint64_t value = 0;
    for (int k = 0; k < bytes; ++k)
        value |= std::uint64_t{at[k]} << (8 * k);
    return value;
}

// A 64-bit mix of the bytes, eight at a time; the order of the bytes counts.
std::uint64_t Checksum(const unsigned char* bytes, std::size_t size, std::uint64_t hash)
{
    std::size_t k = 0;
    for (; k + 8 <= size; k += 8) {
        std::uint64_t word = 0;
        std::memcpy(&word, bytes + k, 8);
        hash = (hash ^ word) * 0x9E3779B97F4A7C15u;
        hash ^= hash >> 32;
    }
    for (; k < size; ++k)
        hash = (hash ^ bytes[k]) * 0x100000001B3u;
    return hash;
}

std::array<unsigned char, EndgameHeaderSize> Header(Rules rules, TMaterial material, std::uint64_t positions)
{
    std::array<unsigned char, EndgameHeaderSize> header{};
    std::memcpy(header.data(), Mark, sizeof Mark);
    PutNumber(&header[8], EndgameFormatVersion, 4);
    PutNumber(&header[12], rules == Rules::English ? 1 : 0, 4);
    header[16] = static_cast<unsigned char>(material.RedMen);
    header[17] = static_cast<unsigned char>(material.RedKings);
    header[18] = static_cast<unsigned char>(material.BlueMen);
    header[19] = static_cast<unsigned char>(material.BlueKings);
    PutNumber(&header[24], positions, 8);
    return header;
}

// The checksum of a file: its header with the checksum field cleared, then its values.
std::uint64_t FileChecksum(const unsigned char* header, const unsigned char* values, std::size_t size)
{
    std::array<unsigned char, EndgameHeaderSize> cleared{};
    std::memcpy(cleared.data(), header, EndgameHeaderSize);
    PutNumber(&cleared[ChecksumAt], 0, 8);
    return Checksum(values, size, Checksum(cleared.data(), cleared.size(), 0xCBF29CE484222325u));
}

const char* RulesName(Rules rules)
{
    return rules == Rules::English ? "english" : "kelmarin";
}

// The material a file name of the rules gives, nothing for another name.
std::optional<TMaterial> MaterialOfName(const std::string& name, Rules rules)
{
    const std::string prefix = std::string(RulesName(rules)) + "-";
    if (name.size() != prefix.size() + 8 || !name.starts_with(prefix) || !name.ends_with(".egt"))
        return std::nullopt;
    int counts[4];
    for (int k = 0; k < 4; ++k) {
        const char c = name[prefix.size() + static_cast<std::size_t>(k)];
        if (c < '0' || c > '9')
            return std::nullopt;
        counts[k] = c - '0';
    }
    const TMaterial material{counts[0], counts[1], counts[2], counts[3]};
    if (material.Count() > MaxKeyedPieces)
        return std::nullopt;
    return material;
}

} // namespace

TableValue TableValue::FromByte(std::uint8_t byte)
{
    if (byte == 0)
        return {Outcome::Draw, 0};
    const int plies = byte - 1;
    return {plies % 2 == 1 ? Outcome::Win : Outcome::Loss, plies};
}

std::uint8_t TableByte(TableValue::Outcome result, int plies)
{
    if (result == TableValue::Outcome::Draw)
        return 0;
    if (plies > MaxTablePlies)
        plies = MaxTablePlies - ((MaxTablePlies - plies) & 1);
    return static_cast<std::uint8_t>(plies + 1);
}

std::string EndgameFileName(Rules rules, TMaterial material)
{
    std::string name = std::string(RulesName(rules)) + "-";
    for (const int count : {material.RedMen, material.RedKings, material.BlueMen, material.BlueKings})
        name += static_cast<char>('0' + count);
    return name + ".egt";
}

bool WriteEndgameFile(const std::filesystem::path& path, Rules rules, TMaterial material,
                      std::span<const std::uint8_t> values, std::string& error)
{
    std::array<unsigned char, EndgameHeaderSize> header = Header(rules, material, values.size());
    PutNumber(&header[ChecksumAt], FileChecksum(header.data(), values.data(), values.size()), 8);
    const std::filesystem::path temporary = path.string() + ".tmp";
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        error = temporary.string() + ": " + std::strerror(errno);
        return false;
    }
    bool written = true;
    const auto writeAll = [&](const unsigned char* bytes, std::size_t size) {
        while (written && size > 0) {
            const ssize_t n = ::write(fd, bytes, size);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0) {
                written = false;
                break;
            }
            bytes += n;
            size -= static_cast<std::size_t>(n);
        }
    };
    writeAll(header.data(), header.size());
    writeAll(values.data(), values.size());
    written = written && ::fsync(fd) == 0;
    written = ::close(fd) == 0 && written;
    std::error_code renamed;
    if (written)
        std::filesystem::rename(temporary, path, renamed);
    if (!written || renamed) {
        error = path.string() + ": could not be written";
        std::filesystem::remove(temporary, renamed);
        return false;
    }
    return true;
}

std::vector<TMaterial> MaterialsOf(int pieces)
{
    std::vector<TMaterial> materials;
    for (int kings = pieces; kings >= 0; --kings)
        for (int redKings = 0; redKings <= kings; ++redKings)
            for (int redMen = 0; redMen <= pieces - kings; ++redMen) {
                const TMaterial material{redMen, redKings, pieces - kings - redMen, kings - redKings};
                if (material.RedMen + material.RedKings > 0 && material.BlueMen + material.BlueKings > 0)
                    materials.push_back(material);
            }
    return materials;
}

struct EndgameTables::Mapping {
    void* Address = nullptr;
    std::size_t Size = 0;
    ~Mapping()
    {
        if (Address)
            ::munmap(Address, Size);
    }
};

EndgameTables::EndgameTables(Rules rules) : Rules_(rules) {}
EndgameTables::~EndgameTables() = default;

std::unique_ptr<EndgameTables> EndgameTables::Open(const std::filesystem::path& dir, Rules rules,
                                                   std::string& error)
{
    auto tables = std::make_unique<EndgameTables>(rules);
    std::error_code failed;
    if (!std::filesystem::is_directory(dir, failed))
        return tables;
    std::vector<std::pair<std::filesystem::path, TMaterial>> files;
    for (const auto& entry : std::filesystem::directory_iterator(dir, failed))
        if (const auto material = MaterialOfName(entry.path().filename().string(), rules))
            files.emplace_back(entry.path(), *material);
    std::sort(files.begin(), files.end());
    for (const auto& [path, material] : files)
        if (!tables->Load(path, material, error))
            return nullptr;
    return tables;
}

bool EndgameTables::Load(const std::filesystem::path& path, TMaterial material, std::string& error)
{
    const auto refuse = [&](const std::string& reason) {
        error = path.string() + ": " + reason;
        return false;
    };
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return refuse(std::strerror(errno));
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        return refuse("not a regular file");
    }
    auto mapping = std::make_unique<Mapping>();
    mapping->Size = static_cast<std::size_t>(status.st_size);
    if (mapping->Size < EndgameHeaderSize) {
        ::close(fd);
        return refuse("too short for an endgame table header");
    }
    void* address = ::mmap(nullptr, mapping->Size, PROT_READ, MAP_SHARED, fd, 0);
    ::close(fd);
    if (address == MAP_FAILED)
        return refuse("could not be mapped");
    mapping->Address = address;
    const auto* bytes = static_cast<const unsigned char*>(address);
    auto index = std::make_unique<EndgameIndex>(material);
    const std::array<unsigned char, EndgameHeaderSize> expected = Header(Rules_, material, index->Size());
    if (std::memcmp(bytes, Mark, sizeof Mark) != 0)
        return refuse("not an endgame table");
    if (GetNumber(bytes + 8, 4) != EndgameFormatVersion)
        return refuse("format version " + std::to_string(GetNumber(bytes + 8, 4)) + ", not " +
                      std::to_string(EndgameFormatVersion));
    if (std::memcmp(bytes, expected.data(), ChecksumAt) != 0 ||
        std::memcmp(bytes + ChecksumAt + 8, expected.data() + ChecksumAt + 8,
                    EndgameHeaderSize - ChecksumAt - 8) != 0)
        return refuse("header does not match the rules and material of its name");
    if (mapping->Size != EndgameHeaderSize + index->Size())
        return refuse("size does not match its header");
    if (GetNumber(bytes + ChecksumAt, 8) != FileChecksum(bytes, bytes + EndgameHeaderSize, index->Size()))
        return refuse("checksum mismatch");
    Data_[material.Key()] = bytes + EndgameHeaderSize;
    Index_[material.Key()] = index.get();
    Indexes_.push_back(std::move(index));
    Mappings_.push_back(std::move(mapping));
    return true;
}

std::span<std::uint8_t> EndgameTables::Hold(TMaterial material)
{
    auto index = std::make_unique<EndgameIndex>(material);
    std::vector<std::uint8_t>& values = Held_.emplace_back(index->Size(), std::uint8_t{0});
    Data_[material.Key()] = values.data();
    Index_[material.Key()] = index.get();
    Indexes_.push_back(std::move(index));
    return values;
}

int EndgameTables::MaxPieces() const
{
    int most = 0;
    for (int pieces = 2; pieces <= MaxKeyedPieces; ++pieces) {
        for (const TMaterial& material : MaterialsOf(pieces))
            if (!Has(material))
                return most;
        most = pieces;
    }
    return most;
}

std::optional<std::uint8_t> EndgameTables::ProbeByte(const Position& position) const
{
    if (position.Jumping() != NoSquare)
        return std::nullopt;
    if (position.Pieces(position.SideToMove()) == 0)
        return TableByte(TableValue::Outcome::Loss, 0);
    const TMaterial material = TMaterial::Of(position);
    if (material.Count() > MaxKeyedPieces || material.RedMen + material.RedKings == 0 ||
        material.BlueMen + material.BlueKings == 0)
        return std::nullopt;
    const std::uint8_t* data = Data_[material.Key()];
    if (data == nullptr)
        return std::nullopt;
    return data[Index_[material.Key()]->IndexOf(position)];
}

std::optional<TableValue> EndgameTables::Probe(const Position& position) const
{
    if (position.GameRules() != Rules_)
        return std::nullopt;
    const std::optional<std::uint8_t> byte = ProbeByte(position);
    if (!byte)
        return std::nullopt;
    return TableValue::FromByte(*byte);
}

std::vector<TMaterial> EndgameTables::Materials() const
{
    std::vector<TMaterial> materials;
    for (int pieces = 2; pieces <= MaxKeyedPieces; ++pieces)
        for (const TMaterial& material : MaterialsOf(pieces))
            if (Has(material))
                materials.push_back(material);
    return materials;
}

std::unique_ptr<EndgameTables> OpenLargestEndgameTables(std::span<const std::filesystem::path> folders,
                                                        Rules rules, std::vector<std::string>& refusals)
{
    std::unique_ptr<EndgameTables> largest;
    for (const std::filesystem::path& folder : folders) {
        std::string error;
        std::unique_ptr<EndgameTables> tables = EndgameTables::Open(folder, rules, error);
        if (!tables)
            refusals.push_back(error);
        else if (tables->MaxPieces() > (largest ? largest->MaxPieces() : 0))
            largest = std::move(tables);
    }
    return largest;
}

} // namespace kelmarin
