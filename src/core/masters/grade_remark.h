// Entry limits of the grade and remark masters; their records are read and written whole
// through readRecord / writeRecord.
#pragma once

namespace rk::masters {

constexpr int kLastGrade = 99;
constexpr int kGradeNameLimit = 9;
constexpr int kLastRemark = 999;
constexpr int kFirstLongRemark = 500;

// Bytes a remark may hold: 21 for the short remarks 1..499, 81 for the long ones 500..999.
constexpr int remarkLimit(int n) { return n >= kFirstLongRemark ? 81 : 21; }

}  // namespace rk::masters
