#include "calculator/RatingsReader.h"

#include "platform/core/Text.h"
#include "platform/core/Yield.h"

#include <stdexcept>
#include <string_view>

namespace calculator {

namespace {

// Val of every field that a file may hold in its thousands, a digit or two, is looked up
// instead of parsed afresh; Val depends on the text alone, so this changes no value.
class FieldReader {
  public:
    double read(std::string_view field) {
        if (field.size() == 1) {
            const auto code = static_cast<unsigned char>(field[0]);
            if (!m_singleKnown[code]) {
                m_single[code] = platform::Val(platform::String(field));
                m_singleKnown[code] = true;
            }
            return m_single[code];
        }
        if (field.empty()) {
            if (!m_emptyKnown) {
                m_empty = platform::Val(platform::String());
                m_emptyKnown = true;
            }
            return m_empty;
        }
        return platform::Val(platform::String(field));
    }

  private:
    double m_single[256] = {};
    bool m_singleKnown[256] = {};
    double m_empty = 0;
    bool m_emptyKnown = false;
};

// Stores fields 1 to k of one line: the same texts as NthField(line, tab, j) gives, but with
// the line walked once instead of once per field. A tab byte never occurs inside a UTF-8
// sequence, so splitting the bytes splits the characters.
void StoreLine(const platform::String& line, std::int64_t row, std::int64_t k, RatingMatrix& matrix,
               FieldReader& fields) {
    const std::string_view text = line.view();
    std::size_t start = 0;
    bool more = true;
    for (std::int64_t j = 1; j <= k; ++j) {
        std::string_view field;
        if (more) {
            const std::size_t tab = text.find('\t', start);
            if (tab == std::string_view::npos) {
                field = text.substr(start);
                more = false;
            } else {
                field = text.substr(start, tab - start);
                start = tab + 1;
            }
        } else {
            field = std::string_view();
        }
        matrix.cell(row, j) = fields.read(field);
    }
}

} // namespace

void ReadRatings(platform::TextInputStream& stream, std::int64_t k, RatingMatrix& matrix,
                 std::int64_t lastLine) {
    if (k < 2 || k > 25)
        throw std::invalid_argument("categories out of range");
    if (lastLine < 1 || lastLine > RatingMatrix::kLastCase)
        throw std::invalid_argument("last line out of range");
    FieldReader fields;
    std::int64_t row = 0;
    while (true) {
        const platform::String line = stream.ReadLine();
        ++row;
        StoreLine(line, row, k, matrix, fields);
        platform::YieldToPlatform();
        if (stream.Eof() || row == lastLine)
            break;
    }
    stream.Close();
}

} // namespace calculator
