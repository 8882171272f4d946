#include "records/data_file.h"

#include <cstdarg>
#include <cstring>
#include <new>
#include <utility>

#include "app/base/file_replace.h"
#include "app/base/log.h"
#include "records/data_record.h"

namespace {

// Writes are gathered into blocks of this size before they go to the file.
constexpr size_t kWriteBlock = 64 * 1024;

// A reader or writer reports only its first failure: what follows is a
// consequence of it.
void ReportFirstFailure(bool& failed, const std::string& where, const char* format, va_list args)
{
    if (failed) return;
    failed = true;
    ReportLog("err data file %s: %s", where.c_str(), FormatTextV(format, args).c_str());
}

uint32_t LoadU32(const unsigned char* p)
{
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
           static_cast<uint32_t>(p[3]) << 24;
}

// The whole content of a file; false when it cannot be opened or read.
bool ReadWholeFile(const std::string& path, std::vector<unsigned char>& bytes)
{
    FILE* fp = std::fopen(path.c_str(), "rb");
    if (!fp) return false;
    unsigned char block[16 * 1024];
    size_t n;
    bool ok = true;
    try {
        while ((n = std::fread(block, 1, sizeof block, fp)) > 0) bytes.insert(bytes.end(), block, block + n);
        ok = !std::ferror(fp);
    } catch (const std::bad_alloc&) {
        ReportLog("err data file \"%s\": too large to hold in memory", path.c_str());
        std::vector<unsigned char>().swap(bytes);
        ok = false;
    }
    std::fclose(fp);
    return ok;
}

} // namespace

cDataReader::cDataReader(std::string path, std::vector<unsigned char> bytes)
    : m_sPath(std::move(path)), m_Bytes(std::move(bytes))
{
}

bool cDataReader::Fail(const char* format, ...)
{
    if (m_bFailed) return false;
    va_list args;
    va_start(args, format);
    ReportFirstFailure(m_bFailed, FormatText("\"%s\" at byte %lu", m_sPath.c_str(), static_cast<unsigned long>(m_nPos)),
                       format, args);
    va_end(args);
    return false;
}

bool cDataReader::Read(void* dst, size_t n)
{
    size_t at = m_nPos;
    if (!Skip(n)) return false;
    if (n) std::memcpy(dst, m_Bytes.data() + at, n);
    return true;
}

bool cDataReader::Skip(size_t n)
{
    if (m_bFailed) return false;
    if (n > m_Bytes.size() - m_nPos)
        return Fail("the file ends inside a value (%lu bytes wanted, %lu left)", static_cast<unsigned long>(n),
                    static_cast<unsigned long>(m_Bytes.size() - m_nPos));
    m_nPos += n;
    return true;
}

bool cDataReader::ChargeBuilt(size_t records)
{
    if (m_bFailed) return false;
    const size_t budget = m_Bytes.size() * BUILT_RECORDS_PER_BYTE;
    m_nBuilt += records;
    if (m_nBuilt > budget)
        return Fail("inheritance copies more than %lu records, the most a file of %lu bytes may build",
                    static_cast<unsigned long>(budget), static_cast<unsigned long>(m_Bytes.size()));
    return true;
}

bool cDataReader::ReadU32(uint32_t& v)
{
    unsigned char b[4] = {};
    if (!Read(b, 4)) return false;
    v = LoadU32(b);
    return true;
}

bool cDataReader::ReadI32(int32_t& v)
{
    uint32_t u;
    if (!ReadU32(u)) return false;
    v = static_cast<int32_t>(u);
    return true;
}

bool cDataReader::ReadI16(int16_t& v)
{
    unsigned char b[2] = {};
    if (!Read(b, 2)) return false;
    v = static_cast<int16_t>(static_cast<uint16_t>(b[0] | b[1] << 8));
    return true;
}

bool cDataReader::ReadU8(uint8_t& v)
{
    return Read(&v, 1);
}

bool cDataReader::ReadCount(uint32_t& n, size_t minItemBytes)
{
    uint32_t count;
    n = 0;
    if (!ReadU32(count)) return false;
    // Each item takes at least one byte, whatever the caller says.
    if (minItemBytes == 0) minItemBytes = 1;
    if (count > Remaining() / minItemBytes)
        return Fail("count %lu of items of at least %lu bytes exceeds the %lu bytes left",
                    static_cast<unsigned long>(count), static_cast<unsigned long>(minItemBytes),
                    static_cast<unsigned long>(Remaining()));
    n = count;
    return true;
}

bool cDataReader::ReadByteVector(std::vector<unsigned char>& v)
{
    uint32_t n;
    if (!ReadCount(n, 1)) return false;
    std::vector<unsigned char> bytes(n);
    if (!Read(bytes.data(), n)) return false;
    v.swap(bytes);
    return true;
}

bool cDataReader::ReadIntVector(std::vector<int32_t>& v)
{
    uint32_t n;
    if (!ReadCount(n, 4)) return false;
    std::vector<int32_t> values(n);
    for (int32_t& value : values)
        if (!ReadI32(value)) return false;
    v.swap(values);
    return true;
}

cDataWriter::cDataWriter(std::string path, std::string tempPath)
    : m_sPath(std::move(path)), m_sTempPath(std::move(tempPath))
{
    m_fp = std::fopen(m_sTempPath.c_str(), "wb");
}

cDataWriter::~cDataWriter()
{
    Discard();
}

void cDataWriter::Discard()
{
    if (!m_fp) return;
    std::fclose(m_fp);
    m_fp = nullptr;
    std::remove(m_sTempPath.c_str());
}

bool cDataWriter::Fail(const char* format, ...)
{
    if (m_bFailed) return false;
    va_list args;
    va_start(args, format);
    ReportFirstFailure(m_bFailed, FormatText("\"%s\" not saved", m_sPath.c_str()), format, args);
    va_end(args);
    return false;
}

bool cDataWriter::Flush()
{
    if (m_bFailed || !m_fp) return false;
    if (!m_Buffer.empty() && std::fwrite(m_Buffer.data(), 1, m_Buffer.size(), m_fp) != m_Buffer.size())
        return Fail("writing \"%s\" failed", m_sTempPath.c_str());
    m_Buffer.clear();
    return true;
}

void cDataWriter::Write(const void* src, size_t n)
{
    if (m_bFailed) return;
    const unsigned char* p = static_cast<const unsigned char*>(src);
    m_Buffer.insert(m_Buffer.end(), p, p + n);
    if (m_Buffer.size() >= kWriteBlock) Flush();
}

void cDataWriter::WriteU32(uint32_t v)
{
    unsigned char b[4] = {static_cast<unsigned char>(v), static_cast<unsigned char>(v >> 8),
                          static_cast<unsigned char>(v >> 16), static_cast<unsigned char>(v >> 24)};
    Write(b, 4);
}

void cDataWriter::WriteI32(int32_t v)
{
    WriteU32(static_cast<uint32_t>(v));
}

void cDataWriter::WriteI16(int16_t v)
{
    uint16_t u = static_cast<uint16_t>(v);
    unsigned char b[2] = {static_cast<unsigned char>(u), static_cast<unsigned char>(u >> 8)};
    Write(b, 2);
}

void cDataWriter::WriteU8(uint8_t v)
{
    Write(&v, 1);
}

void cDataWriter::WriteByteVector(const std::vector<unsigned char>& v)
{
    WriteU32(static_cast<uint32_t>(v.size()));
    Write(v.data(), v.size());
}

void cDataWriter::WriteIntVector(const std::vector<int32_t>& v)
{
    WriteU32(static_cast<uint32_t>(v.size()));
    for (int32_t value : v) WriteI32(value);
}

int cDataWriter::Commit()
{
    if (!m_fp) return 0;
    bool ok = Flush();
    if (ok && std::fflush(m_fp) != 0) ok = Fail("writing \"%s\" failed", m_sTempPath.c_str());
    int closed = std::fclose(m_fp);
    m_fp = nullptr;
    if (ok && closed != 0) ok = Fail("closing \"%s\" failed", m_sTempPath.c_str());
    if (ok && !ReplaceFileWith(m_sPath, m_sTempPath)) ok = Fail("\"%s\" could not replace it", m_sTempPath.c_str());
    if (!ok) std::remove(m_sTempPath.c_str());
    return ok ? 1 : 0;
}

std::unique_ptr<cDataReader> DataFileOpenRead(const std::string& path)
{
    std::string name = path.empty() ? std::string("err") : path;
    std::vector<unsigned char> bytes;
    if (!ReadWholeFile(name, bytes)) return nullptr;
    auto file = std::make_unique<cDataReader>(name, std::move(bytes));
    uint32_t version;
    if (!file->ReadU32(version)) return nullptr;
    // Read as signed, as the head is written: -1 is no very new version.
    const int32_t signedVersion = static_cast<int32_t>(version);
    if (signedVersion < 1 || signedVersion > DATA_VERSION) {
        file->Fail("data version %ld is not one of 1 to %d", static_cast<long>(signedVersion), DATA_VERSION);
        return nullptr;
    }
    nFileVersion = signedVersion;
    return file;
}

std::unique_ptr<cDataWriter> DataFileOpenWrite(const std::string& path)
{
    auto file = std::make_unique<cDataWriter>(path, path + ".tmp");
    if (!file->IsOpen()) return nullptr;
    file->WriteU32(static_cast<uint32_t>(RecordContext.nDataVersion));
    return file;
}

int DataFileClose(std::unique_ptr<cDataReader>& file)
{
    if (!file) return 0;
    int ok = file->Ok() ? 1 : 0;
    file.reset();
    return ok;
}

int DataFileClose(std::unique_ptr<cDataWriter>& file)
{
    if (!file) return 0;
    int ok = file->Commit();
    file.reset();
    return ok;
}
