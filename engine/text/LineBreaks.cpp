#include "engine/text/LineBreaks.h"

#include "engine/text/IcuLibrary.h"

namespace lirava::unicode::linebreak {

namespace {

// The Unicode line-breaking classes that printable ASCII characters have.
enum class Kind : unsigned char {
    Alphabetic,      // letters and most symbols
    Numeric,         // digits
    Space,           // ' '
    Exclamation,     // ! ?
    Quotation,       // " '
    Prefix,          // $ + backslash
    Postfix,         // %
    Open,            // ( [ {
    CloseParen,      // ) ]
    Close,           // }
    InfixSeparator,  // , . : ;
    Hyphen,          // -
    Symbol,          // /
    BreakAfter,      // |
};

Kind kindOf(char c) {
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) {
        return Kind::Alphabetic;
    }
    if (c >= '0' && c <= '9') {
        return Kind::Numeric;
    }
    switch (c) {
        case ' ':
            return Kind::Space;
        case '!':
        case '?':
            return Kind::Exclamation;
        case '"':
        case '\'':
            return Kind::Quotation;
        case '$':
        case '+':
        case '\\':
            return Kind::Prefix;
        case '%':
            return Kind::Postfix;
        case '(':
        case '[':
        case '{':
            return Kind::Open;
        case ')':
        case ']':
            return Kind::CloseParen;
        case '}':
            return Kind::Close;
        case ',':
        case '.':
        case ':':
        case ';':
            return Kind::InfixSeparator;
        case '-':
            return Kind::Hyphen;
        case '/':
            return Kind::Symbol;
        case '|':
            return Kind::BreakAfter;
        default:
            return Kind::Alphabetic;  // # & * < = > @ ^ _ ` ~
    }
}

bool isAlphabetic(Kind k) {
    return k == Kind::Alphabetic;
}

bool isPrefixOrPostfix(Kind k) {
    return k == Kind::Prefix || k == Kind::Postfix;
}

bool isClosing(Kind k) {
    return k == Kind::Close || k == Kind::CloseParen;
}

bool isNumberSeparator(Kind k) {
    return k == Kind::Symbol || k == Kind::InfixSeparator;
}

// The rules between kinds[at - 1] and kinds[at], read in the order the rules take precedence.
class Rules {
public:
    explicit Rules(const std::vector<Kind>& kinds) : m_kinds(kinds) {}

    bool joins(std::size_t at) const {
        const Kind before = m_kinds[at - 1];
        const Kind after = m_kinds[at];
        if (after == Kind::Space) {
            return true;  // never break before a space
        }
        std::size_t last = at;  // the last character ahead of the spaces that end at `at`
        while (last > 0 && m_kinds[last - 1] == Kind::Space) {
            --last;
        }
        const bool spacesBetween = last < at;
        const Kind beforeSpaces = last > 0 ? m_kinds[last - 1] : Kind::Space;
        if (isClosing(after) || after == Kind::Exclamation || after == Kind::Symbol) {
            return true;  // nor before closing or ending punctuation
        }
        if (beforeSpaces == Kind::Open) {
            return true;  // nor after an opening bracket, spaces or not
        }
        if (beforeSpaces == Kind::Quotation && after == Kind::Open) {
            return true;
        }
        if (after == Kind::InfixSeparator) {
            // A number that starts with its separator (" .5") may start a line.
            return !(spacesBetween && kindAt(at + 1) == Kind::Numeric);
        }
        if (spacesBetween) {
            return false;  // a break may follow spaces
        }
        if (before == Kind::Quotation || after == Kind::Quotation) {
            return true;  // quotation marks cling to both sides
        }
        if (after == Kind::BreakAfter || after == Kind::Hyphen) {  // a break may follow them
            return true;
        }
        if (before == Kind::Hyphen && isAlphabetic(after) && startsWord(at - 1)) {
            return true;  // a hyphen that starts a word ("-ish") stays with it
        }
        if (joinsInNumber(at)) {
            return true;
        }
        switch (before) {
            case Kind::Alphabetic:
                return isAlphabetic(after) || after == Kind::Numeric || isPrefixOrPostfix(after) || after == Kind::Open;
            case Kind::Numeric:
                return isAlphabetic(after) || after == Kind::Open;
            case Kind::Prefix:
            case Kind::Postfix:
                return isAlphabetic(after);
            case Kind::CloseParen:
                return isAlphabetic(after) || after == Kind::Numeric;
            case Kind::InfixSeparator:
                return isAlphabetic(after);
            default:
                return false;
        }
    }

private:
    Kind kindAt(std::size_t at) const { return at < m_kinds.size() ? m_kinds[at] : Kind::Space; }

    // Whether the character at `at` starts the text or follows spaces, though not spaces after
    // an opening bracket (those belong to the bracket).
    bool startsWord(std::size_t at) const {
        if (at == 0) {
            return true;
        }
        if (m_kinds[at - 1] != Kind::Space) {
            return false;
        }
        while (at > 0 && m_kinds[at - 1] == Kind::Space) {
            --at;
        }
        return at == 0 || m_kinds[at - 1] != Kind::Open;
    }

    // Whether a number ends just before `end`: a digit, then separators only.
    bool numberEndsAt(std::size_t end) const {
        while (end > 0 && isNumberSeparator(m_kinds[end - 1])) {
            --end;
        }
        return end > 0 && m_kinds[end - 1] == Kind::Numeric;
    }

    // A number with its prefix, sign, separators, closing bracket and postfix ("$(1.5)%") holds
    // together.
    bool joinsInNumber(std::size_t at) const {
        const Kind before = m_kinds[at - 1];
        const Kind after = m_kinds[at];
        switch (after) {
            case Kind::Numeric:
                return before == Kind::Prefix || before == Kind::Postfix || before == Kind::Hyphen ||
                       before == Kind::InfixSeparator || numberEndsAt(at);
            case Kind::Prefix:
            case Kind::Postfix:
                return isClosing(before) ? numberEndsAt(at - 1) : numberEndsAt(at);
            case Kind::Open:
                return isPrefixOrPostfix(before) &&
                       (kindAt(at + 1) == Kind::Numeric ||
                        (kindAt(at + 1) == Kind::InfixSeparator && kindAt(at + 2) == Kind::Numeric));
            default:
                return false;
        }
    }

    const std::vector<Kind>& m_kinds;
};

// Without ICU: a line may start after spaces, and nowhere else.
std::vector<std::size_t> spacesOnly(const std::string& text) {
    std::vector<std::size_t> positions;
    for (std::size_t at = 1; at < text.size(); ++at) {
        if (text[at - 1] == ' ' && text[at] != ' ') {
            positions.push_back(at);
        }
    }
    return positions;
}

}  // namespace

bool isPrintableAscii(const std::string& text) {
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte > 0x7E) {
            return false;
        }
    }
    return true;
}

std::vector<std::size_t> printableAscii(const std::string& text) {
    std::vector<Kind> kinds;
    kinds.reserve(text.size());
    for (const char c : text) {
        kinds.push_back(kindOf(c));
    }
    const Rules rules(kinds);
    std::vector<std::size_t> positions;
    for (std::size_t at = 1; at < kinds.size(); ++at) {
        if (!rules.joins(at)) {
            positions.push_back(at);
        }
    }
    return positions;
}

std::vector<std::size_t> icu(const std::string& utf8) {
    std::vector<std::size_t> positions;
    if (utf8.size() < 2) {
        return positions;
    }
    const icu_library::Functions* icu = icu_library::functions();
    // Made once: building the iterator loads the rules and costs far more than a caption's
    // breaks. Main thread only.
    static UBreakIterator* const breaker = [icu]() -> UBreakIterator* {
        if (!icu) {
            return nullptr;
        }
        UErrorCode status = U_ZERO_ERROR;
        UBreakIterator* made = icu->breakOpen(UBRK_LINE, "", nullptr, 0, &status);
        return U_SUCCESS(status) ? made : nullptr;
    }();
    if (!breaker) {
        return spacesOnly(utf8);
    }
    UErrorCode status = U_ZERO_ERROR;
    // Over UTF-8 the iterator's indexes are byte offsets.
    UText* text = icu->textOpenUtf8(nullptr, utf8.data(), static_cast<int64_t>(utf8.size()), &status);
    if (U_FAILURE(status)) {
        icu->textClose(text);
        return spacesOnly(utf8);
    }
    icu->breakSetText(breaker, text, &status);
    if (U_SUCCESS(status)) {
        for (int32_t at = icu->breakNext(breaker); at != UBRK_DONE; at = icu->breakNext(breaker)) {
            if (at > 0 && static_cast<std::size_t>(at) < utf8.size()) {
                positions.push_back(static_cast<std::size_t>(at));
            }
        }
    }
    // The iterator keeps no pointer to the text past this call.
    status = U_ZERO_ERROR;
    UText empty = UTEXT_INITIALIZER;
    icu->textOpenUChars(&empty, nullptr, 0, &status);
    icu->breakSetText(breaker, &empty, &status);
    icu->textClose(text);
    icu->textClose(&empty);
    return positions;
}

}  // namespace lirava::unicode::linebreak
