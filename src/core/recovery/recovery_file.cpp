#include "core/recovery/recovery_file.h"

#include "core/sheet/sheet.h"

#include <array>
#include <charconv>
#include <utility>

namespace tavlor {

namespace {

constexpr std::string_view kMagic = "Vorlane Tavlor recovery 1\n";
constexpr const char* kForeign = "it is not a recovery file of this program";
constexpr const char* kCut = "it is cut short or damaged";

// The bytes of a cell written as "\\" and a letter: the escape itself, the cell's end and the
// line ends.
constexpr std::array<std::pair<char, char>, 4> kEscapes{
    {{'\\', '\\'}, {';', ';'}, {'\r', 'r'}, {'\n', 'n'}}};

// By byte: the letter after "\\" that stands for it, or 0 when it stands for itself.
constexpr std::array<char, 256> kEscapeLetters = [] {
    std::array<char, 256> letters{};
    for (const auto& [escaped, letter] : kEscapes)
        letters[static_cast<unsigned char>(escaped)] = letter;
    return letters;
}();

char escapeOf(char byte) {
    return kEscapeLetters[static_cast<unsigned char>(byte)];
}

// The byte an escape letter stands for; 0 for a letter that is none.
char byteOf(char letter) {
    for (const auto& [escaped, named] : kEscapes)
        if (named == letter)
            return escaped;
    return 0;
}

/** Reads the text front to back; any surprise means the file is not whole. */
class Cursor {
public:
    explicit Cursor(std::string_view text) : m_rest(text) {}

    void expect(std::string_view word) {
        if (m_rest.substr(0, word.size()) != word)
            throw RecoveryError(kCut);
        m_rest.remove_prefix(word.size());
    }
    bool accept(std::string_view word) {
        if (m_rest.substr(0, word.size()) != word)
            return false;
        m_rest.remove_prefix(word.size());
        return true;
    }
    template <typename Number> Number number(char after) {
        Number value{};
        const auto [end, error] =
            std::from_chars(m_rest.data(), m_rest.data() + m_rest.size(), value);
        if (error != std::errc() || end == m_rest.data() + m_rest.size() || *end != after)
            throw RecoveryError(kCut);
        m_rest.remove_prefix(static_cast<std::size_t>(end - m_rest.data()) + 1);
        return value;
    }
    std::string_view bytes(std::size_t length) {
        if (length >= m_rest.size() || m_rest[length] != '\n')
            throw RecoveryError(kCut);
        const std::string_view taken = m_rest.substr(0, length);
        m_rest.remove_prefix(length + 1);
        return taken;
    }
    std::string_view line() {
        const std::size_t end = m_rest.find('\n');
        if (end == std::string_view::npos)
            throw RecoveryError(kCut);
        return bytes(end);
    }
    /** One escaped cell up to its ";", unescaped into text. */
    void cellInto(std::string& text) {
        text.clear();
        for (std::size_t i = 0; i < m_rest.size(); ++i) {
            const char c = m_rest[i];
            if (c == ';') {
                m_rest.remove_prefix(i + 1);
                return;
            }
            if (c == '\n' || c == '\r')
                break;
            if (c != '\\') {
                text += c;
                continue;
            }
            if (++i == m_rest.size())
                break;
            const char byte = byteOf(m_rest[i]);
            if (byte == 0)
                break;
            text += byte;
        }
        throw RecoveryError(kCut);
    }
    bool atEnd() const { return m_rest.empty(); }

private:
    std::string_view m_rest;
};

void appendNumber(std::string& out, std::int64_t value, char after) {
    out += std::to_string(value);
    out += after;
}

TextEncoding encodingNamed(std::string_view name) {
    for (const TextEncoding encoding : kTextEncodings)
        if (encodingName(encoding) == name)
            return encoding;
    throw RecoveryError(kCut);
}

} // namespace

std::string recoveryText(const RecoveryHeader& header, const Sheet& sheet) {
    std::string out;
    out.reserve(sheet.contentLength() + sheet.contentLength() / 8 +
                static_cast<std::size_t>(sheet.MaxRow() * (sheet.MaxCol() + 1)) +
                header.path.size() + 200);
    out += kMagic;
    out += "path ";
    appendNumber(out, static_cast<std::int64_t>(header.path.size()), '\n');
    out += header.path;
    out += "\nencoding ";
    out += encodingName(header.encoding);
    out += "\ntime ";
    appendNumber(out, header.savedAt, '\n');
    if (const FileIdentity& id = header.identity; id.exists()) {
        out += "identity ";
        appendNumber(out, static_cast<std::int64_t>(id.device), ' ');
        appendNumber(out, static_cast<std::int64_t>(id.inode), ' ');
        appendNumber(out, id.size, ' ');
        appendNumber(out, id.modifiedNs, '\n');
    } else {
        out += "identity none\n";
    }
    // Rows and columns up to the used extent, each cell followed by ";", each row by a line end,
    // as in the sheet's own files; within a cell "\\", ";" and the line-end bytes are escaped.
    const int rows = static_cast<int>(sheet.MaxRow());
    const int cols = static_cast<int>(sheet.MaxCol());
    out += "cells ";
    appendNumber(out, rows, ' ');
    appendNumber(out, cols, '\n');
    std::int64_t bytes = 0;
    for (int row = 1; row <= rows; ++row) {
        const std::string* cells = sheet.rowCells(row);
        for (int col = 1; col <= cols; ++col) {
            const std::string& text = cells[col];
            bytes += static_cast<std::int64_t>(text.size());
            std::size_t plain = 0;
            for (std::size_t i = 0; i < text.size(); ++i) {
                const char escaped = escapeOf(text[i]);
                if (escaped == 0)
                    continue;
                out.append(text, plain, i - plain);
                out += '\\';
                out += escaped;
                plain = i + 1;
            }
            out.append(text, plain);
            out += ';';
        }
        out += '\n';
    }
    out += "end ";
    appendNumber(out, bytes, '\n');
    return out;
}

RecoveryHeader parseRecoveryText(std::string_view text, const RecoveredCell& cell) {
    if (text.substr(0, kMagic.size()) != kMagic) {
        // The start of the mark alone is a file cut within its first line.
        if (text.size() < kMagic.size() && kMagic.substr(0, text.size()) == text)
            throw RecoveryError(kCut);
        throw RecoveryError(kForeign);
    }
    Cursor in(text.substr(kMagic.size()));
    RecoveryHeader header;
    in.expect("path ");
    header.path = in.bytes(in.number<std::size_t>('\n'));
    in.expect("encoding ");
    header.encoding = encodingNamed(in.line());
    in.expect("time ");
    header.savedAt = in.number<std::int64_t>('\n');
    in.expect("identity ");
    if (!in.accept("none\n")) {
        FileIdentity& id = header.identity;
        id.device = in.number<dev_t>(' ');
        id.inode = in.number<ino_t>(' ');
        id.size = in.number<off_t>(' ');
        id.modifiedNs = in.number<std::int64_t>('\n');
        if (!id.exists())
            throw RecoveryError(kCut);
    }
    in.expect("cells ");
    const int rows = in.number<int>(' ');
    const int cols = in.number<int>('\n');
    if (rows < 0 || rows > Sheet::kLastRow || cols < 0 || cols > Sheet::kLastCol)
        throw RecoveryError(kCut);
    std::int64_t bytes = 0;
    std::string cellText;
    for (int row = 1; row <= rows; ++row) {
        for (int col = 1; col <= cols; ++col) {
            in.cellInto(cellText);
            bytes += static_cast<std::int64_t>(cellText.size());
            if (cell && !cellText.empty())
                cell(col, row, cellText);
        }
        in.expect("\n");
    }
    in.expect("end ");
    if (in.number<std::int64_t>('\n') != bytes || !in.atEnd())
        throw RecoveryError(kCut);
    return header;
}

} // namespace tavlor
