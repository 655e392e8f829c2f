#pragma once

// What a printed PDF file says, read back with poppler's pdftotext: the text of each page, and
// where each word stands on it. Only the words' places relative to one another mean anything;
// they depend on the font that the machine has, the order and the columns do not.

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace platform::testing {

struct PdfWord {
    std::string text;
    double left = 0;
    double right = 0;
};

struct PdfPage {
    // The page as `pdftotext -layout` reads it, one string per line.
    std::vector<std::string> text;
    // The words of each printed line, top to bottom and left to right, with their places in
    // page units (`pdftotext -bbox`); the spaces between them are no words.
    std::vector<std::vector<PdfWord>> lines;
};

// Whether pdftotext (poppler-utils) is installed.
inline bool HasPdfToText() {
    return std::system("command -v pdftotext >/dev/null 2>&1") == 0;
}

namespace pdf_detail {

// The output of pdftotext with `options` on the file; nothing when it fails.
inline std::optional<std::string> PdfToText(const std::string& options, const std::string& path) {
    const std::string command = "pdftotext " + options + " -enc UTF-8 '" + path + "' - 2>/dev/null";
    std::FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe)
        return std::nullopt;
    std::string output;
    char buffer[4096];
    for (std::size_t read; (read = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        output.append(buffer, read);
    if (::pclose(pipe) != 0)
        return std::nullopt;
    return output;
}

// The value of attribute `name` in one element of pdftotext's XHTML.
inline std::string Attribute(const std::string& element, const std::string& name) {
    const std::size_t at = element.find(" " + name + "=\"");
    if (at == std::string::npos)
        return {};
    const std::size_t from = at + name.size() + 3;
    return element.substr(from, element.find('"', from) - from);
}

// A number as pdftotext writes it, whatever the locale.
inline double Number(const std::string& text) {
    double value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

inline std::string Unescaped(const std::string& text) {
    static const std::pair<const char*, char> kEntities[] = {
        {"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}, {"&apos;", '\''}};
    std::string plain;
    for (std::size_t i = 0; i < text.size();) {
        bool replaced = false;
        for (const auto& [entity, character] : kEntities) {
            if (text.compare(i, std::char_traits<char>::length(entity), entity) == 0) {
                plain += character;
                i += std::char_traits<char>::length(entity);
                replaced = true;
                break;
            }
        }
        if (!replaced)
            plain += text[i++];
    }
    return plain;
}

// Pages of `-layout` output end in a form feed; trailing blanks of a line are dropped.
inline std::vector<std::vector<std::string>> LayoutPages(const std::string& output) {
    std::vector<std::vector<std::string>> pages(1);
    std::string line;
    for (const char c : output) {
        if (c != '\n' && c != '\f') {
            line += c;
            continue;
        }
        if (c == '\n' || !line.empty()) {
            line.erase(line.find_last_not_of(' ') + 1);
            pages.back().push_back(line);
            line.clear();
        }
        if (c == '\f')
            pages.emplace_back();
    }
    pages.pop_back();
    return pages;
}

// Words of `-bbox` output, grouped into lines by the top of their box: the words of one line
// share it, since a line is drawn in one font.
inline std::vector<std::vector<std::vector<PdfWord>>> BoxPages(const std::string& output) {
    std::vector<std::vector<std::vector<PdfWord>>> pages;
    std::map<double, std::vector<PdfWord>> page;
    std::istringstream in(output);
    for (std::string element; std::getline(in, element);) {
        if (element.find("<page ") != std::string::npos) {
            page.clear();
        } else if (element.find("</page>") != std::string::npos) {
            pages.emplace_back();
            for (auto& [top, words] : page)
                pages.back().push_back(std::move(words));
        } else if (const std::size_t start = element.find("<word "); start != std::string::npos) {
            const std::size_t textFrom = element.find('>', start) + 1;
            const std::string text =
                Unescaped(element.substr(textFrom, element.find("</word>") - textFrom));
            page[Number(Attribute(element, "yMin"))].push_back(
                {text, Number(Attribute(element, "xMin")), Number(Attribute(element, "xMax"))});
        }
    }
    return pages;
}

} // namespace pdf_detail

// The pages of the PDF at `path` (a path that the test made, free of quotes); nothing when
// pdftotext cannot read it.
inline std::optional<std::vector<PdfPage>> ReadPdf(const std::string& path) {
    const std::optional<std::string> layout = pdf_detail::PdfToText("-layout", path);
    const std::optional<std::string> boxes = pdf_detail::PdfToText("-bbox", path);
    if (!layout || !boxes)
        return std::nullopt;
    const auto texts = pdf_detail::LayoutPages(*layout);
    auto lines = pdf_detail::BoxPages(*boxes);
    if (texts.size() != lines.size())
        return std::nullopt;
    std::vector<PdfPage> pages(texts.size());
    for (std::size_t i = 0; i < pages.size(); ++i)
        pages[i] = {texts[i], std::move(lines[i])};
    return pages;
}

} // namespace platform::testing
