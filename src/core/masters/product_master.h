// Product master operations of the registration grid and the product search.
#pragma once

#include <string>
#include <vector>

#include "masters/master_records.h"
#include "platform/file_system.h"

namespace rk::masters {

constexpr int kLastProduct = 999;
constexpr int kProductNameLimit = 17, kUnitLimit = 3, kCommonCodeLimit = 13, kProductSearchLimit = 17;
constexpr int kProductFileRecords = 1000;  // what the window creates when the file is missing

// The grid's load of product n: creates a missing file with 1000 blank records; a record past
// the end of the file is blank; a record whose validity word lies outside 0..999 is cleared;
// container type and decimals are clamped. False when the file can be neither read nor made.
bool loadProductRow(FileSystem& fs, const fs::path& file, int n, ProductRecord& out);

// "上行科目ｺﾋﾟｰ": row n takes every field of row n - 1 (row 1: its own) except its own name,
// unit and common code (the first 46 bytes of `current`).
bool copyFromRowAbove(FileSystem& fs, const fs::path& file, int n, ProductRecord& current);

// Products 1..999 whose name holds `sjisText` (whole characters), at most 999.
std::vector<int> searchProducts(FileSystem& fs, const fs::path& file, std::string_view sjisText);

// The grid's texts of a container type 0..3 and of the decimals 0..2 (UTF-8).
const char* containerText(int type);
const char* decimalsText(int decimals);
// The choice lists of the container and decimals columns; a decimals choice above 2 stores 2.
const std::vector<const char*>& containerChoices();
const std::vector<const char*>& decimalsChoices();

}  // namespace rk::masters
