#pragma once
// Schools, the letter-grade scale and the University majors with their class titles and class
// times: compiled-in data keyed the same way as the career tracks (identifier text of the stored
// 4-byte id, see IdText).

#include <span>
#include <string_view>

namespace kinloom {

struct School {
    std::string_view Label;
    std::string_view Id;
};

// "Public School", "Private School" in list order.
std::span<const School> SchoolTable();
const School* FindSchool(std::string_view idText);
inline constexpr std::string_view kPublicSchoolId = "B58867D0";

// "F" ... "A+"; a sim's Grade is the position in this list plus one.
std::span<const std::string_view> GradeScale();
// The letter for a stored Grade value; empty when it matches no grade (0 or past "A+").
std::string_view GradeText(int grade);
inline constexpr int kDefaultGrade = 9;  // "B"

struct Major {
    std::string_view Label;
    std::string_view Id;
    std::span<const std::string_view> Classes;  // one per semester; "Not Enrolled" for Undeclared
    std::span<const std::string_view> Hours;    // one per semester; none for Undeclared
};

// The twelve majors in list order, Undeclared first.
std::span<const Major> MajorTable();
const Major* FindMajor(std::string_view idText);
inline constexpr std::string_view kUndeclaredMajorId = "1DBF978E";

// The class list of a stored major id: eight titles, "Not Enrolled" for Undeclared, none for an
// id outside the table.
std::span<const std::string_view> ClassTitles(std::string_view majorId);
// The time of the class at a position (0..7) of a major; empty for Undeclared, an unknown major
// or a position outside the list.
std::string_view ClassHours(std::string_view majorId, int position);
// "Freshman", "Sophomore", "Junior", "Senior" for class positions 0-1, 2-3, 4-5, 6-7; empty
// otherwise.
std::string_view YearOfSemester(int position);

}  // namespace kinloom
