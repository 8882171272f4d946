#pragma once
// The record base of every persistent class.
//
// A record describes its persistent members by registering them, in the order
// a file of a given data version holds them. From that registry the base
// reads, writes, clears and copies the record, so one class reads every older
// form of its file and always writes the current one.
//
// Record form in a file (little-endian, no padding):
//   u32 n                 number of scalar fields
//   fields                each field's size x count bytes, raw, in order
//   u32 m                 number of strings
//   per string            u32 L = length + 1; when L > 1, the L - 1 characters and a NUL
// Example: one int 7 and the text "abc" is 01000000 07000000 01000000 04000000 61626300;
// a record with nothing registered is 00000000 00000000.
//
// Writing a persistent class:
//
//   class cFrameData : public cDataRecord {
//   public:
//       int m_nCell = 0, m_nTime = 0;
//       short m_sOffset[2] = {};
//       unsigned char m_bLock = 0;   // never bool: a file may hold any byte
//       std::string m_sName;
//
//       cFrameData() { RegisterFields(DATA_VERSION); Clear(); m_nTime = 1; }
//
//       void RegisterFields(int version) override
//       {
//           ClearFieldTables();
//           RegisterInt(&m_nCell);
//           if (version >= 120) RegisterInt(&m_nTime);   // added in 120
//           RegisterShort(m_sOffset, 2);                  // an array of two
//           RegisterByte(&m_bLock);
//           if (version < 90) RegisterDiscard(2, 2);      // two shorts dropped in 90
//           RegisterString(&m_sName);
//       }
//   };
//
// - RegisterFields starts with ClearFieldTables and registers only members of
//   this very object (the registry keeps each member's offset inside it, so a
//   record may be copied and moved freely: copies address their own members).
// - Register functions take exactly sized types: RegisterInt int/unsigned,
//   RegisterShort short/unsigned short, RegisterByte char/signed char/unsigned
//   char, RegisterDouble double; arrays pass their first element and a count.
// - The constructor registers with DATA_VERSION and then clears or resets.
// - A field that an older version held and the current layout dropped is
//   registered for that version only with RegisterDiscard: its bytes are read
//   and dropped.
//
// A class whose file form holds more than its registered part (raw values,
// byte vectors, lists, embedded records) overrides Load and Save: the override
// calls cDataRecord::Load / cDataRecord::Save first, then reads or writes the
// rest in its fixed order, then applies its upgrades by comparing nFileVersion
// with thresholds. The pieces:
//   raw values          in.ReadI16 / ReadI32 / ReadU32 ...   out.WriteI16 ...
//   u32 n + n bytes     in.ReadByteVector                    out.WriteByteVector
//   u32 n + n int32     in.ReadIntVector                     out.WriteIntVector
//   list of records     ReadRecords(list, in[, prototype])   WriteRecords(list, out)
//   presence + record   ReadOptionalRecord(ptr, in, make)    WriteOptionalRecord(ptr, out)
//   embedded record     m_Embedded.Load(in)                  m_Embedded.Save(out)
// (data_file.h for the reader and writer, record_list.h for the list helpers).
// The override returns in.Ok(): once the reader has failed every further read
// fails and every count is 0, so an override need not test each step, but it
// must never loop over a count it did not read through the reader. Such a
// class declares the smallest size of its stored form, which
// the list readers use to refuse counts a file cannot hold:
//       static constexpr size_t MIN_STORED_BYTES = 8 + 4 + 4;   // record, u32, u32
// (8 when it is omitted: the two counts of an empty record part).
//
// Copying: the implicit copy constructor and assignment copy every member, the
// registry included, and are correct for classes that hold their members by
// value (strings, vectors, lists of records). A class that holds a sub-record
// by boost::shared_ptr writes both itself and deep-copies it:
//
//   cCommandData(const cCommandData& o) : cDataRecord(o) { CopyFrom(o); }
//   cCommandData& operator=(const cCommandData& o)
//   {
//       if (this != &o) { cDataRecord::operator=(o); CopyFrom(o); }
//       return *this;
//   }
//   // CopyFrom copies the members and makes m_pMove a new cEdMove(*o.m_pMove)
//   // (or null), never sharing the pointer.
//
// A load that fails (a damaged file) returns false and leaves the record in a
// defined state: every field holds either what the file gave or what it held
// before, every list holds usable elements (read, partly read or default), the
// registry describes the current layout. The caller decides whether to keep it.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "records/data_file.h"
#include "records/record_context.h"

// The current data version is RecordContext.nDataVersion (record_context.h).
// The data version at the head of the file being read, set by DataFileOpenRead;
// records register with it while they are read, and upgrades compare against it.
// One per thread: the stage loader reads the stage file on thLoadStage while
// the game thread may read other files, and neither sees the other's version.
extern thread_local int nFileVersion;
// Whether strings lose their carriage returns: RecordContext.bStripCR.

// One registered scalar field: the member's offset inside its record (or -1
// for bytes that are read and dropped), the element count and element size.
struct DATAFIELD {
    std::ptrdiff_t nOffset;
    int32_t nCount;
    int8_t cSize;
};

// One registered string: the offset of the std::string member inside its record.
struct DATASTRFIELD {
    std::ptrdiff_t nOffset;
};

// Record copies made by this thread so far (copy construction and copy
// assignment), which lets a reader bound what inheritance builds.
uint64_t RecordsCopied();

class cDataRecord {
public:
    cDataRecord() = default;
    // Counts itself in RecordsCopied.
    cDataRecord(const cDataRecord& other);
    // A moved-from record is registered again by its next operation, like
    // every record.
    cDataRecord(cDataRecord&&) noexcept = default;
    virtual ~cDataRecord() = default;

    // Empty in every record; called on the source of an assignment.
    virtual void VersionHook(int version) {}
    // Registers the fields that a file of this data version holds, in its order.
    virtual void RegisterFields(int version) {}
    // Reads one record (registered for nFileVersion, then for nDataVersion
    // again); false when the file is damaged (the reader says why).
    virtual bool Load(cDataReader& in);
    // Writes one record, registered for nDataVersion.
    virtual void Save(cDataWriter& out);

    // The string part of Load and Save.
    bool LoadStrings(cDataReader& in);
    void SaveStrings(cDataWriter& out);

    // Every registered scalar to zero bytes, every registered string empty;
    // members that are not registered are not touched.
    void Clear();
    // Copies every registered field and string of other, a record of the same
    // class, into this one. Records whose registries differ are refused
    // (reported) and nothing is copied.
    void Assign(cDataRecord& other);
    // Removes every carriage return (byte 13) from every registered string.
    void StripCR();

    // Opens path, reads this record through the virtual Load, closes. 1 when
    // the whole record was read; 0 when the file cannot be opened (the record
    // is unchanged) or is damaged (a report-log line; see the note above).
    // Memory running out while it is read fails the load the same way.
    int LoadFile(const std::string& path);
    // Writes a data file holding this record through the virtual Save. 1 when
    // the file now holds it; 0 otherwise, the previous file left untouched.
    int SaveFile(const std::string& path);

    const std::vector<DATAFIELD>& Fields() const { return m_Fields; }
    const std::vector<DATASTRFIELD>& Strings() const { return m_Strings; }

protected:
    // The base part of every record assignment: this record takes other's
    // registry (which, offsets being relative, describes this record's own
    // members). Derived assignments then copy their members.
    cDataRecord& operator=(const cDataRecord& other);
    cDataRecord& operator=(cDataRecord&& other) noexcept = default;

    void ClearFieldTables();
    void RegisterInt(int32_t* p, int count = 1);
    void RegisterInt(uint32_t* p, int count = 1);
    void RegisterShort(int16_t* p, int count = 1);
    void RegisterShort(uint16_t* p, int count = 1);
    void RegisterByte(char* p, int count = 1);
    void RegisterByte(int8_t* p, int count = 1);
    void RegisterByte(uint8_t* p, int count = 1);
    void RegisterDouble(double* p, int count = 1);
    // count consecutive strings from p (an array member or a single string).
    void RegisterString(std::string* p, int count = 1);
    // count elements of size bytes that a file holds here and the record drops.
    void RegisterDiscard(int size, int count = 1);

    // Makes this registry a copy of other's (for records of the same class).
    void CopyFieldTable(const cDataRecord& other);
    void CopyStringTable(const cDataRecord& other);

private:
    void AddField(const void* p, int count, int size);
    void* FieldData(const DATAFIELD& f) { return reinterpret_cast<char*>(this) + f.nOffset; }
    std::string& StringAt(const DATASTRFIELD& s)
    {
        return *reinterpret_cast<std::string*>(reinterpret_cast<char*>(this) + s.nOffset);
    }

    std::vector<DATAFIELD> m_Fields;
    std::vector<DATASTRFIELD> m_Strings;
};

// The smallest stored size of one record of class T: T::MIN_STORED_BYTES when
// it declares one, else 8 (an empty record part).
template <class T>
constexpr size_t MinStoredBytes()
{
    if constexpr (requires { T::MIN_STORED_BYTES; }) return T::MIN_STORED_BYTES;
    else return 8;
}
