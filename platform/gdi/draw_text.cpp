// DrawTextA: prefix characters, tab expansion, line and word breaking, ellipses, alignment in
// the rectangle, and measuring with DT_CALCRECT, over the text renderer.
#include "platform/gdi/paint.h"
#include "platform/gdi/text_render.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

using namespace gdi;

namespace {

struct Line {
    std::string text;
    std::vector<bool> marked;  // characters that take the prefix underline
};

Line stripPrefixes(const char* s, int n, UINT format) {
    Line out;
    for (int i = 0; i < n; ++i) {
        char c = s[i];
        if (c == '&' && !(format & DT_NOPREFIX)) {
            if (i + 1 >= n) break;
            c = s[++i];
            out.text += c;
            out.marked.push_back(c != '&' && !(format & DT_HIDEPREFIX));
            continue;
        }
        out.text += c;
        out.marked.push_back(false);
    }
    return out;
}

Line expandTabs(const Line& in) {
    Line out;
    for (std::size_t i = 0; i < in.text.size(); ++i) {
        if (in.text[i] != '\t') {
            out.text += in.text[i];
            out.marked.push_back(in.marked[i]);
            continue;
        }
        do {
            out.text += ' ';
            out.marked.push_back(false);
        } while (out.text.size() % 8);
    }
    return out;
}

Line slice(const Line& in, std::size_t from, std::size_t to) {
    return Line{in.text.substr(from, to - from),
                std::vector<bool>(in.marked.begin() + long(from), in.marked.begin() + long(to))};
}

int widthOf(const Face& f, const std::string& s) { return f.textWidth(s.data(), int(s.size())); }

// Splits at line ends, and with DT_WORDBREAK also between words that would pass the width.
std::vector<Line> breakLines(const Line& text, UINT format, const Face& face, int width) {
    std::vector<Line> paragraphs;
    if (format & DT_SINGLELINE) {
        Line one;
        for (std::size_t i = 0; i < text.text.size(); ++i)
            if (text.text[i] != '\r' && text.text[i] != '\n') {
                one.text += text.text[i];
                one.marked.push_back(text.marked[i]);
            }
        return {one};
    }
    std::size_t start = 0;
    for (std::size_t i = 0; i <= text.text.size(); ++i) {
        if (i < text.text.size() && text.text[i] != '\r' && text.text[i] != '\n') continue;
        paragraphs.push_back(slice(text, start, i));
        if (i + 1 < text.text.size() && text.text[i] == '\r' && text.text[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (!(format & DT_WORDBREAK)) return paragraphs;
    std::vector<Line> lines;
    for (const Line& p : paragraphs) {
        std::size_t begin = 0;
        while (true) {
            std::size_t end = p.text.size();
            if (widthOf(face, p.text.substr(begin)) > width) {
                // The longest run of whole words that fits; a single long word stays whole.
                std::size_t fit = std::string::npos;
                for (std::size_t k = begin; k < p.text.size(); ++k)
                    if (p.text[k] == ' ' && widthOf(face, p.text.substr(begin, k - begin)) <= width) fit = k;
                if (fit == std::string::npos) fit = p.text.find(' ', begin);
                if (fit != std::string::npos && fit > begin) end = fit;
            }
            lines.push_back(slice(p, begin, end));
            if (end >= p.text.size()) break;
            begin = end;
            while (begin < p.text.size() && p.text[begin] == ' ') ++begin;
            if (begin >= p.text.size()) break;
        }
    }
    return lines;
}

void fitWithEllipsis(Line& line, UINT format, const Face& face, int width) {
    if (widthOf(face, line.text) <= width) return;
    std::string tail;
    std::string head = line.text;
    if (format & DT_PATH_ELLIPSIS) {
        std::size_t cut = head.find_last_of("\\/");
        if (cut != std::string::npos) {
            tail = head.substr(cut);
            head = head.substr(0, cut);
        }
    }
    while (!head.empty() && widthOf(face, head + "..." + tail) > width) {
        head.pop_back();
        if (format & DT_WORD_ELLIPSIS)
            while (!head.empty() && head.back() != ' ') head.pop_back();
    }
    while (!head.empty() && head.back() == ' ') head.pop_back();
    std::string text = head + "..." + tail;
    if (widthOf(face, text) > width && !tail.empty()) {
        // Not even the last part of the path fits: end it with the ellipsis instead.
        text = tail;
        while (!text.empty() && widthOf(face, text + "...") > width) text.pop_back();
        text += "...";
    }
    std::vector<bool> marked(text.size(), false);
    for (std::size_t i = 0; i < head.size() && i < text.size() && i < line.marked.size(); ++i) marked[i] = line.marked[i];
    line.marked = std::move(marked);
    line.text = text;
}

}  // namespace

extern "C" int WINAPI DrawTextA(HDC hdc, LPCSTR lpchText, int cchText, LPRECT lprc, UINT format) {
    Dc* dc = DcOf(hdc);
    if (!dc || !lprc || (!lpchText && cchText != 0)) return 0;
    int count = cchText < 0 ? (lpchText ? int(std::strlen(lpchText)) : 0) : cchText;
    RECT bounds{Coord(lprc->left), Coord(lprc->top), Coord(lprc->right), Coord(lprc->bottom)};
    RECT* const caller = lprc;
    lprc = &bounds;
    try {
        Face face = FaceOfDc(*dc);
        Line text = stripPrefixes(lpchText, count, format);
        if (format & DT_EXPANDTABS) text = expandTabs(text);
        int width = lprc->right - lprc->left;
        std::vector<Line> lines = breakLines(text, format, face, width);
        bool ellipsis = format & (DT_END_ELLIPSIS | DT_PATH_ELLIPSIS | DT_WORD_ELLIPSIS);
        if (ellipsis && !(format & DT_CALCRECT))
            for (Line& l : lines) fitWithEllipsis(l, format, face, width);
        int lineHeight = face.height;
        int total = lineHeight * int(lines.size());
        int widest = 0;
        for (const Line& l : lines) widest = std::max(widest, widthOf(face, l.text));
        if (format & DT_MODIFYSTRING && ellipsis && lines.size() == 1 && int(lines[0].text.size()) <= count)
            std::memcpy(const_cast<char*>(lpchText), lines[0].text.c_str(), lines[0].text.size() + (int(lines[0].text.size()) < count ? 1 : 0));
        if (format & DT_CALCRECT) {
            caller->right = Coord((long long)caller->left + widest);
            caller->bottom = Coord((long long)caller->top + total);
            return total;
        }
        int top = lprc->top;
        if (format & DT_SINGLELINE) {
            if (format & DT_VCENTER) top = lprc->top + (lprc->bottom - lprc->top - lineHeight) / 2;
            else if (format & DT_BOTTOM) top = lprc->bottom - lineHeight;
        }
        Target t;
        if (!dc->target(t)) return total;
        Region storage;
        Target drawTo = t;
        if (!(format & DT_NOCLIP)) {
            storage = Region::Combine(*t.clip, Region(RECT{lprc->left + t.dx, lprc->top + t.dy, lprc->right + t.dx,
                                                          lprc->bottom + t.dy}),
                                      RGN_AND);
            drawTo.clip = &storage;
        }
        Paint underline = SolidPaint(dc->pixelFor(dc->state.text, t.map));
        int y = top;
        for (const Line& l : lines) {
            int w = widthOf(face, l.text);
            int x = format & DT_CENTER ? lprc->left + (width - w) / 2 : format & DT_RIGHT ? lprc->right - w : lprc->left;
            TextPlacement at;
            at.x = x + t.dx;
            at.y = y + t.dy;
            at.opaque = dc->state.bkMode == OPAQUE;
            if (!(format & DT_PREFIXONLY)) RenderText(*dc, drawTo, face, at, l.text.data(), int(l.text.size()));
            int pen = 0;
            for (std::size_t i = 0; i < l.text.size(); ++i) {
                int advance = face.advance((unsigned char)l.text[i]);
                if (l.marked[i]) {
                    int v = at.y + face.ascent + 1;
                    FillRectangle(drawTo, RECT{at.x + pen, v, at.x + pen + advance - 1, v + 1}, underline, R2_COPYPEN);
                }
                pen += advance;
            }
            y += lineHeight;
        }
        return (format & DT_SINGLELINE) && (format & (DT_VCENTER | DT_BOTTOM)) ? top - lprc->top + total : total;
    } catch (...) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return 0;
    }
}
