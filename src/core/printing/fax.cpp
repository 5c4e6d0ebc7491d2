#include "printing/fax.h"

#include <cctype>

#include "printing/conventions.h"

namespace rk::printing {

namespace {

std::optional<std::string> numberAfterFax(const std::string& text) {
    std::string upper = text;
    for (char& ch : upper) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    for (size_t at = upper.find("FAX"); at != std::string::npos; at = upper.find("FAX", at + 3)) {
        std::string digits;
        for (size_t i = at + 3; i < upper.size() && digits.size() < 11; ++i) {
            const char ch = upper[i];
            if (std::isdigit(static_cast<unsigned char>(ch))) {
                digits += ch;
            } else if (ch != ' ' && ch != '-' && ch != ':' && ch != '.') {
                break;
            }
        }
        if (!digits.empty()) return digits;
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::string> faxNumber(const CustomerRecord& c) {
    for (const std::string& field :
         {fieldText(c.phone), fieldText(c.address), fieldText(c.department), fieldText(c.producerCode)})
        if (auto n = numberAfterFax(field)) return n;
    return std::nullopt;
}

std::vector<std::string> splitCommand(const std::string& command) {
    std::vector<std::string> words;
    std::string word;
    bool quoted = false, inWord = false;
    for (char ch : command) {
        if (ch == '"') {
            quoted = !quoted;
            inWord = true;
        } else if ((ch == ' ' || ch == '\t') && !quoted) {
            if (inWord) words.push_back(word);
            word.clear();
            inWord = false;
        } else {
            word += ch;
            inWord = true;
        }
    }
    if (inWord) words.push_back(word);
    return words;
}

std::vector<std::string> faxArguments(const std::vector<std::string>& command, const std::string& document,
                                      const std::string& number) {
    std::vector<std::string> args = command;
    args.push_back(document);
    args.push_back(number);
    return args;
}

}  // namespace rk::printing
