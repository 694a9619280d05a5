// The XML subset scanner of rule files. Characters are classed by one table (white space,
// letters, digits, punctuation, invalid); bytes of 128 and above are passed over, as rule files
// may carry text in the user's code page. The declared size of the rule element is only a hint:
// the text is taken at its real length, so a file that understates it is neither cut short nor
// written past a buffer.
#include "settings/rules/rule_xml.h"

#include "settings/rules/rule_chars.h"
#include "settings/rules/rule_version.h"

#include <cstring>

namespace {

enum class CharClass : uint8_t { Space, Letter, Digit, Punct, Invalid, High };

CharClass ClassOf(unsigned char c) {
    if (c >= 128) return CharClass::High;
    if (c == '\t' || c == '\n' || c == '\f' || c == '\r' || c == ' ') return CharClass::Space;
    if (IsAsciiLetter(c)) return CharClass::Letter;
    if (IsAsciiDigit(c)) return CharClass::Digit;
    if (c >= '!' && c <= '~') return CharClass::Punct;
    return CharClass::Invalid;  // control characters, vertical tab included, and DEL
}

constexpr size_t kNameLimit = 32;   // a tag name that reaches this length ends the scan
constexpr size_t kDigitLimit = 31;  // digits of the size element

class Scanner {
public:
    explicit Scanner(std::string_view text) : text_(text.substr(0, strnlen(text.data(), text.size()))) {}

    XmlRuleScan Run() {
        while (pos_ < text_.size() && !done_) {
            if (text_[pos_] != '<') {
                if (!Pass(pos_)) break;
                ++pos_;
                continue;
            }
            Markup();
        }
        // Each rule element takes the version from its own start to the end of the file, so only
        // the last one reached decides it: scanned once here, a file of many rule elements costs
        // one pass instead of one per element.
        if (lastRule_ != kNone) {
            out_.version = ScanRuleVersion(text_.substr(lastRule_));
            out_.hasVersion = true;
        }
        if (out_.aborted) {
            out_.hasRule = false;
            out_.rule.clear();
            out_.rule.shrink_to_fit();
        }
        return std::move(out_);
    }

private:
    // False (and the scan aborted) for an invalid character.
    bool Pass(size_t at) {
        if (ClassOf(static_cast<unsigned char>(text_[at])) != CharClass::Invalid) return true;
        Abort();
        return false;
    }
    void Abort() {
        out_.aborted = true;
        done_ = true;
    }
    bool StartsWith(size_t at, std::string_view what) const { return text_.substr(at).starts_with(what); }

    // Skips up to and past `end`, checking every character; false when the scan ended.
    bool SkipPast(std::string_view end) {
        while (pos_ < text_.size()) {
            if (StartsWith(pos_, end)) {
                pos_ += end.size();
                return true;
            }
            if (!Pass(pos_)) return false;
            ++pos_;
        }
        done_ = true;
        return false;
    }

    // At "<".
    void Markup() {
        const size_t open = pos_++;
        if (pos_ >= text_.size()) return;
        const unsigned char c = static_cast<unsigned char>(text_[pos_]);
        if (IsAsciiLetter(c)) return Tag(false);
        if (c == '/' && pos_ + 1 < text_.size() && IsAsciiLetter(static_cast<unsigned char>(text_[pos_ + 1]))) {
            ++pos_;
            return Tag(true);
        }
        if (c == '?') {
            // A processing instruction: any "?" in it must be its end.
            for (++pos_; pos_ < text_.size(); ++pos_) {
                if (!Pass(pos_)) return;
                if (text_[pos_] != '?') continue;
                if (pos_ + 1 < text_.size() && text_[pos_ + 1] == '>') {
                    pos_ += 2;
                    return;
                }
                return Abort();
            }
            return;
        }
        if (StartsWith(pos_, "!--")) {
            // A comment: "--" inside it must be its end.
            for (pos_ += 3; pos_ < text_.size(); ++pos_) {
                if (!Pass(pos_)) return;
                if (!StartsWith(pos_, "--")) continue;
                if (StartsWith(pos_, "-->")) {
                    pos_ += 3;
                    return;
                }
                return Abort();
            }
            return;
        }
        if (StartsWith(pos_, "![")) {
            // A marked section: its opening ("<![CDATA[", nine characters) is stepped over whole.
            pos_ = open + 9;
            if (pos_ > text_.size()) {
                done_ = true;
                return;
            }
            for (size_t i = open + 1; i < pos_; ++i)
                if (!Pass(i)) return;
            SkipPast("]]>");
            return;
        }
        if (c == '!') {
            SkipPast(">");
            return;
        }
        if (Pass(pos_)) Abort();
    }

    // At the first letter of a tag name.
    void Tag(bool endTag) {
        char name[kNameLimit];
        size_t length = 0;
        bool spaced = false;
        bool closed = false;
        for (; pos_ < text_.size() && !closed; ++pos_) {
            const unsigned char c = static_cast<unsigned char>(text_[pos_]);
            const CharClass k = ClassOf(c);
            if (k == CharClass::Invalid) return Abort();
            if (c == '>') {
                closed = true;
                continue;
            }
            if (k == CharClass::High) continue;
            if (k == CharClass::Space) {
                spaced = true;
            } else if (spaced) {
                // Attributes of a start tag are ignored; an end tag has none.
                if (endTag) return Abort();
            } else {
                if (length + 1 >= kNameLimit) {
                    done_ = true;  // keeps what was found so far
                    return;
                }
                name[length++] = static_cast<char>(c);
            }
        }
        if (!closed) {
            done_ = true;
            return;
        }
        if (endTag) return;
        const std::string_view tag(name, length);
        if (tag == "size") SizeElement();
        else if (tag == "rule") RuleElement();
    }

    void SizeElement() {
        char digits[kDigitLimit];
        size_t count = 0;
        for (; pos_ < text_.size(); ++pos_) {
            const unsigned char c = static_cast<unsigned char>(text_[pos_]);
            if (c == '<') break;
            const CharClass k = ClassOf(c);
            if (k == CharClass::Space || k == CharClass::High) continue;
            if (k != CharClass::Digit || count == kDigitLimit) return Abort();
            digits[count++] = static_cast<char>(c);
        }
        const int32_t n = ParseDecimal(std::string_view(digits, count));
        out_.declaredSize = n < 0 ? 0 : static_cast<uint32_t>(n) + 1;
    }

    void RuleElement() {
        const size_t start = lastRule_ = pos_;
        for (; pos_ < text_.size() && text_[pos_] != '<'; ++pos_)
            if (!Pass(pos_)) return;
        out_.rule.assign(text_.substr(start, pos_ - start));
        out_.hasRule = true;
    }

    static constexpr size_t kNone = static_cast<size_t>(-1);

    std::string_view text_;
    size_t pos_ = 0;
    size_t lastRule_ = kNone;  // where the last rule element's text began
    bool done_ = false;
    XmlRuleScan out_;
};

}  // namespace

XmlRuleScan ScanXmlRules(std::string_view text) { return Scanner(text).Run(); }
