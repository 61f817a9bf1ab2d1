// The memory folder's files: the count file index.dat and one memoryN.dat per memory.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace korvane {

// The reader asks for "Index.dat" and "MemoryN.dat", the writer makes "index.dat" and
// "memoryN.dat": file names match without regard to case, so both name the same files.
std::string CountFileReadName();
std::string CountFileWriteName();
std::string MemoryFileReadName(int index);
std::string MemoryFileWriteName(int index);

// The count as written: its digits and nothing else.
std::string EncodeCountFile(std::int32_t count);
// The count as read ("%d" from the file's text); nothing when the file holds no number.
std::optional<std::int32_t> DecodeCountFile(const std::string& bytes);

// A memory's text as written: each LF as CR LF, all else as it is, no terminator.
std::string EncodeMemoryFile(const std::string& text);
// A memory's text as read: cut at 0x1A, every CR dropped, then each LF made CR LF.
std::string DecodeMemoryFile(const std::string& bytes);

}  // namespace korvane
