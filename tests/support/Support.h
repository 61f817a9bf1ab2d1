// Helpers shared by the native tests: Japanese text as code page 932, the shipped installation
// copied into the fake file system, and memory folders written as a user's disk would hold them.
#pragma once

#include <string>
#include <vector>

#include "fake/FakePlatform.h"

namespace korvane::test {

// UTF-8 source text as code page 932 bytes (iconv; throws when it does not convert).
std::string Sjis(const std::string& utf8);

// Copies the repository's data/ folder into "Data\" of the fake.
void InstallShippedData(fake::FakeFileSystem& files);

// "Data\<folder>\<name>", the folder given in UTF-8.
std::string DataFile(fake::FakeFileSystem& files, const std::string& folderUtf8,
                     const std::string& name);

// Writes index.dat and memory0.dat... for these texts (code page 932 bytes), as a save does.
void PutMemories(fake::FakeFileSystem& files, const std::string& folderUtf8,
                 const std::vector<std::string>& texts);


}  // namespace korvane::test
