#include "records/data_record.h"

#include <cstring>
#include <new>
#include <stdexcept>

#include "app/base/log.h"

thread_local int nFileVersion = 0;

namespace {

// No record comes near this size; an offset beyond it is a member of some
// other object registered by mistake.
constexpr std::ptrdiff_t kMaxRecordBytes = 1 << 20;

thread_local uint64_t nRecordsCopied = 0;

} // namespace

uint64_t RecordsCopied() { return nRecordsCopied; }

cDataRecord::cDataRecord(const cDataRecord& other) : m_Fields(other.m_Fields), m_Strings(other.m_Strings)
{
    ++nRecordsCopied;
}

cDataRecord& cDataRecord::operator=(const cDataRecord& other)
{
    if (this == &other) return *this;
    ++nRecordsCopied;
    const_cast<cDataRecord&>(other).VersionHook(RecordContext.nDataVersion);
    CopyFieldTable(other);
    CopyStringTable(other);
    return *this;
}

void cDataRecord::CopyFieldTable(const cDataRecord& other)
{
    m_Fields = other.m_Fields;
}

void cDataRecord::CopyStringTable(const cDataRecord& other)
{
    m_Strings = other.m_Strings;
}

void cDataRecord::ClearFieldTables()
{
    m_Fields.clear();
    m_Strings.clear();
}

void cDataRecord::AddField(const void* p, int count, int size)
{
    std::ptrdiff_t offset = static_cast<const char*>(p) - reinterpret_cast<const char*>(this);
    if (offset < 0 || offset >= kMaxRecordBytes || count < 0 || offset + std::ptrdiff_t(count) * size > kMaxRecordBytes)
        throw std::logic_error("a record registered a field outside itself");
    m_Fields.push_back(DATAFIELD{offset, count, static_cast<int8_t>(size)});
}

void cDataRecord::RegisterInt(int32_t* p, int count) { AddField(p, count, 4); }
void cDataRecord::RegisterInt(uint32_t* p, int count) { AddField(p, count, 4); }
void cDataRecord::RegisterShort(int16_t* p, int count) { AddField(p, count, 2); }
void cDataRecord::RegisterShort(uint16_t* p, int count) { AddField(p, count, 2); }
void cDataRecord::RegisterByte(char* p, int count) { AddField(p, count, 1); }
void cDataRecord::RegisterByte(int8_t* p, int count) { AddField(p, count, 1); }
void cDataRecord::RegisterByte(uint8_t* p, int count) { AddField(p, count, 1); }
void cDataRecord::RegisterDouble(double* p, int count) { AddField(p, count, 8); }

void cDataRecord::RegisterDiscard(int size, int count)
{
    if (count < 0 || (size != 1 && size != 2 && size != 4 && size != 8))
        throw std::logic_error("a record registered a discard field of a bad size");
    m_Fields.push_back(DATAFIELD{-1, count, static_cast<int8_t>(size)});
}

void cDataRecord::RegisterString(std::string* p, int count)
{
    for (int i = 0; i < count; ++i) {
        std::ptrdiff_t offset = reinterpret_cast<const char*>(p + i) - reinterpret_cast<const char*>(this);
        if (offset < 0 || offset >= kMaxRecordBytes)
            throw std::logic_error("a record registered a string outside itself");
        m_Strings.push_back(DATASTRFIELD{offset});
    }
}

bool cDataRecord::Load(cDataReader& in)
{
    RegisterFields(nFileVersion);
    uint32_t n = 0;
    bool ok = in.ReadU32(n);
    if (ok && n > m_Fields.size())
        ok = in.Fail("%lu fields stored, %lu known for version %d", static_cast<unsigned long>(n),
                     static_cast<unsigned long>(m_Fields.size()), nFileVersion);
    for (uint32_t i = 0; ok && i < n; ++i) {
        const DATAFIELD& f = m_Fields[i];
        size_t bytes = static_cast<size_t>(f.nCount) * static_cast<size_t>(f.cSize);
        ok = f.nOffset < 0 ? in.Skip(bytes) : in.Read(FieldData(f), bytes);
    }
    if (ok) ok = LoadStrings(in);
    // The registry describes the current layout again, whatever happened.
    if (RecordContext.nDataVersion != nFileVersion || !ok) RegisterFields(RecordContext.nDataVersion);
    return ok;
}

bool cDataRecord::LoadStrings(cDataReader& in)
{
    uint32_t m = 0;
    if (!in.ReadU32(m)) return false;
    if (m > m_Strings.size())
        return in.Fail("%lu strings stored, %lu known for version %d", static_cast<unsigned long>(m),
                       static_cast<unsigned long>(m_Strings.size()), nFileVersion);
    for (uint32_t i = 0; i < m; ++i) {
        uint32_t length = 0;
        if (!in.ReadU32(length)) return false;
        std::string& s = StringAt(m_Strings[i]);
        // The stored length counts the closing NUL: 0 and 1 both mean empty.
        if (length <= 1) {
            s.clear();
            continue;
        }
        if (length > in.Remaining())
            return in.Fail("a string of %lu bytes exceeds the %lu bytes left", static_cast<unsigned long>(length),
                           static_cast<unsigned long>(in.Remaining()));
        std::string text(length, '\0');
        in.Read(text.data(), length);
        // The text ends at its first NUL, or with its stored bytes when it has none.
        text.resize(std::strlen(text.c_str()));
        s.swap(text);
    }
    if (RecordContext.bStripCR) StripCR();
    return true;
}

void cDataRecord::Save(cDataWriter& out)
{
    RegisterFields(RecordContext.nDataVersion);
    out.WriteU32(static_cast<uint32_t>(m_Fields.size()));
    static const unsigned char zeros[64] = {};
    for (const DATAFIELD& f : m_Fields) {
        size_t bytes = static_cast<size_t>(f.nCount) * static_cast<size_t>(f.cSize);
        if (f.nOffset >= 0) {
            out.Write(FieldData(f), bytes);
            continue;
        }
        for (; bytes > sizeof zeros; bytes -= sizeof zeros) out.Write(zeros, sizeof zeros);
        out.Write(zeros, bytes);
    }
    SaveStrings(out);
}

void cDataRecord::SaveStrings(cDataWriter& out)
{
    out.WriteU32(static_cast<uint32_t>(m_Strings.size()));
    for (const DATASTRFIELD& f : m_Strings) {
        std::string& s = StringAt(f);
        // A string is stored up to its first NUL, and keeps only that part.
        size_t nul = s.find('\0');
        if (nul != std::string::npos) s.resize(nul);
        out.WriteU32(static_cast<uint32_t>(s.size() + 1));
        if (!s.empty()) out.Write(s.c_str(), s.size() + 1);
    }
}

void cDataRecord::Clear()
{
    RegisterFields(RecordContext.nDataVersion);
    for (const DATAFIELD& f : m_Fields)
        if (f.nOffset >= 0) std::memset(FieldData(f), 0, static_cast<size_t>(f.nCount) * f.cSize);
    for (const DATASTRFIELD& s : m_Strings) StringAt(s).clear();
}

void cDataRecord::Assign(cDataRecord& other)
{
    if (this == &other) return;
    RegisterFields(RecordContext.nDataVersion);
    other.RegisterFields(RecordContext.nDataVersion);
    bool same = m_Fields.size() == other.m_Fields.size() && m_Strings.size() == other.m_Strings.size();
    for (size_t i = 0; same && i < m_Fields.size(); ++i)
        same = m_Fields[i].nCount == other.m_Fields[i].nCount && m_Fields[i].cSize == other.m_Fields[i].cSize;
    if (!same) {
        ReportLog("err record assignment between records of different layouts");
        return;
    }
    for (size_t i = 0; i < m_Fields.size(); ++i) {
        const DATAFIELD& f = m_Fields[i];
        const DATAFIELD& g = other.m_Fields[i];
        if (f.nOffset >= 0 && g.nOffset >= 0)
            std::memmove(FieldData(f), other.FieldData(g), static_cast<size_t>(f.nCount) * f.cSize);
    }
    for (size_t i = 0; i < m_Strings.size(); ++i) StringAt(m_Strings[i]) = other.StringAt(other.m_Strings[i]);
}

void cDataRecord::StripCR()
{
    for (const DATASTRFIELD& f : m_Strings) {
        std::string& s = StringAt(f);
        size_t kept = 0;
        for (char c : s)
            if (c != '\r') s[kept++] = c;
        s.resize(kept);
    }
}

int cDataRecord::LoadFile(const std::string& path)
{
    std::unique_ptr<cDataReader> file;
    try {
        file = DataFileOpenRead(path);
        if (!file) return 0;
        Load(*file);
    } catch (const std::bad_alloc&) {
        // What was read stays as the load left it, like any damaged file.
        if (file) file->Fail("not enough memory to read it");
        else ReportLog("err data file \"%s\": not enough memory to read it", path.c_str());
    }
    return DataFileClose(file);
}

int cDataRecord::SaveFile(const std::string& path)
{
    std::unique_ptr<cDataWriter> file = DataFileOpenWrite(path);
    if (!file) return 0;
    Save(*file);
    return DataFileClose(file);
}
