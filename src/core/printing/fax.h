// Sending delivery notes by fax through an external program the installation names.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "masters/master_records.h"

namespace rk::printing {

// The environment variable naming the fax program and its first arguments; the fax
// buttons stay hidden while it is unset or empty.
inline constexpr const char* kFaxCommandVariable = "RAKURENA_FAX_COMMAND";

// The customer's fax number: the letters FAX followed by up to 11 digits (blanks, hyphens
// and a colon between them are passed over) in one of the customer's text fields.
std::optional<std::string> faxNumber(const CustomerRecord& c);

// The configured fax command split into program and arguments: blanks separate words,
// double quotes keep a word with blanks together. Empty when nothing is configured.
std::vector<std::string> splitCommand(const std::string& command);

// The argument list of one sending: the command, then the document and the number.
std::vector<std::string> faxArguments(const std::vector<std::string>& command, const std::string& document,
                                      const std::string& number);

}  // namespace rk::printing
