#pragma once
// Data files: a u32 data version at the head, then records (data_record.h),
// little-endian throughout, no padding.
//
// Reading: DataFileOpenRead takes the whole file into memory and hands out a
// cDataReader. Every read is checked against the bytes that are left. The
// first read that cannot be served marks the reader failed and writes one
// report-log line naming the file, the byte position and the reason; from then
// on every read fails at once and every count reads as 0, so a loader that
// carries on after a failure neither loops over garbage nor allocates for it.
//
// Writing: DataFileOpenWrite creates a temporary file beside the target and
// hands out a cDataWriter. Nothing touches the target until DataFileClose: it
// checks every write and the close of the temporary file and only then puts it
// in the target's place. On any failure the temporary file is removed, the
// target keeps its previous content and DataFileClose returns 0.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "app/base/format.h"

class cDataReader {
public:
    // A reader over bytes already in memory (the file's whole content, head
    // included); the head is not read here. path names the file in reports.
    cDataReader(std::string path, std::vector<unsigned char> bytes);

    const std::string& Path() const { return m_sPath; }
    bool Ok() const { return !m_bFailed; }
    size_t Position() const { return m_nPos; }
    // Bytes not yet read; 0 once the reader has failed.
    size_t Remaining() const { return m_bFailed ? 0 : m_Bytes.size() - m_nPos; }

    // Each returns false, leaving the destination untouched, when the reader
    // has failed or fewer bytes are left than asked for.
    bool Read(void* dst, size_t n);
    bool Skip(size_t n);
    bool ReadU32(uint32_t& v);
    bool ReadI32(int32_t& v);
    bool ReadI16(int16_t& v);
    bool ReadU8(uint8_t& v);

    // A u32 count of items that take at least minItemBytes each in the file.
    // A count whose items cannot fit in the bytes left is refused: the reader
    // fails and n is 0. Use it for every count that sizes a container.
    bool ReadCount(uint32_t& n, size_t minItemBytes);
    // A u32 count n, then n single bytes (inherit flags, key states): v is
    // resized to n and filled. On failure v keeps its previous content.
    bool ReadByteVector(std::vector<unsigned char>& v);
    // A u32 count n, then n signed 32-bit values (command parameters, the
    // stage's counter switches); the same rules.
    bool ReadIntVector(std::vector<int32_t>& v);

    // Marks the file damaged; the first reason is written to the report log.
    // Loaders call it for damage that only they can see. Returns false.
    bool Fail(const char* format, ...) GAME_PRINTF(2, 3);

    // Records that inheritance copied while this file was read. A small file
    // can make many rows inherit one large row, so what copying may build is
    // bounded by the file's size (BUILT_RECORDS_PER_BYTE records a byte);
    // past that the reader fails. False once failed.
    static constexpr size_t BUILT_RECORDS_PER_BYTE = 1;
    bool ChargeBuilt(size_t records);

private:
    std::string m_sPath;
    std::vector<unsigned char> m_Bytes;
    size_t m_nPos = 0;
    size_t m_nBuilt = 0;
    bool m_bFailed = false;
};

class cDataWriter {
public:
    // Opens tempPath for writing; IsOpen() tells whether that worked.
    cDataWriter(std::string path, std::string tempPath);
    // A writer that was not committed removes its temporary file.
    ~cDataWriter();
    cDataWriter(const cDataWriter&) = delete;
    cDataWriter& operator=(const cDataWriter&) = delete;

    bool IsOpen() const { return m_fp != nullptr; }
    const std::string& Path() const { return m_sPath; }
    bool Ok() const { return !m_bFailed; }

    void Write(const void* src, size_t n);
    void WriteU32(uint32_t v);
    void WriteI32(int32_t v);
    void WriteI16(int16_t v);
    void WriteU8(uint8_t v);
    // u32 count, then each byte.
    void WriteByteVector(const std::vector<unsigned char>& v);
    // u32 count, then each value as 4 bytes.
    void WriteIntVector(const std::vector<int32_t>& v);

    // Marks the save failed (DataFileClose will then keep the old file); the
    // first reason goes to the report log. Returns false.
    bool Fail(const char* format, ...) GAME_PRINTF(2, 3);

    // Flushes, closes and replaces the target; 1 on success, 0 (old file
    // untouched, temporary file removed) otherwise. Called by DataFileClose.
    int Commit();

private:
    bool Flush();
    void Discard();

    std::string m_sPath;
    std::string m_sTempPath;
    FILE* m_fp = nullptr;
    std::vector<unsigned char> m_Buffer;
    bool m_bFailed = false;
};

// Opens a data file for reading: reads it whole, takes the head into
// nFileVersion and returns a reader placed after the head. An empty path means
// the file "err". None when the file cannot be opened (no message: the caller
// reports), holds fewer than four bytes or a version below 1 or above
// DATA_VERSION (a newer editor's layout, which this runtime cannot know);
// those are reported as damaged and nFileVersion is then left as it was.
std::unique_ptr<cDataReader> DataFileOpenRead(const std::string& path);
// Starts writing a data file: a temporary file beside path, nDataVersion
// written as its head. None when the temporary file cannot be created.
std::unique_ptr<cDataWriter> DataFileOpenWrite(const std::string& path);
// Ends a read: 1 when every read succeeded, else 0. Accepts none.
int DataFileClose(std::unique_ptr<cDataReader>& file);
// Ends a write: commits it (see cDataWriter::Commit); 0 for none.
int DataFileClose(std::unique_ptr<cDataWriter>& file);
