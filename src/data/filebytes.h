#pragma once

#include "data/populatedmemory.h"

#include <QString>
#include <memory>
#include <string>
#include <string_view>

class QFileDevice;

// Whole-file reads and writes for the measurement file and the export.
// Failures throw std::runtime_error with a message for the user.
namespace FileBytes
{

// A file's bytes, read into memory taken for them alone.
class Contents
{
  public:
    Contents() = default;
    std::string_view view() const { return {reinterpret_cast<const char*>(m_bytes.get()), m_size}; }
    operator std::string_view() const { return view(); }

  private:
    friend Contents read(const QString& path);
    void reserve(std::size_t capacity);

    PopulatedMemory::Bytes m_bytes;
    std::size_t m_size = 0;
    std::size_t m_capacity = 0;
};

Contents read(const QString& path);

// Writes a file in pieces. The file of that name is replaced only by
// commit(), once everything is written: a write that fails, or a writer
// dropped without commit, leaves an existing file as it was. A device or
// pipe is written in place.
class Writer
{
  public:
    explicit Writer(const QString& path);
    ~Writer();
    void append(std::string_view bytes);
    void commit();

  private:
    [[noreturn]] void fail();
    void startWriteback();

    QString m_path;
    std::unique_ptr<QFileDevice> m_file;
    qint64 m_written = 0;
    qint64 m_writebackStarted = 0;
};

void write(const QString& path, std::string_view bytes);

} // namespace FileBytes
