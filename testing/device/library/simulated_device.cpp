// Reading the description of a simulated device: one directive a line, words separated by
// blanks, texts in double quotes (with \" for a quote inside), '#' starts a comment.
#include "simulated_device.h"

#include <cstdlib>
#include <sstream>

namespace simdev {

namespace {

std::vector<std::string> Words(const std::string& line, bool& ok) {
    std::vector<std::string> words;
    ok = true;
    size_t i = 0;
    while (i < line.size()) {
        if (line[i] == ' ' || line[i] == '\t' || line[i] == '\r') {
            ++i;
        } else if (line[i] == '#') {
            break;
        } else if (line[i] == '"') {
            // A text: \" and \\ stand for a quote and a backslash inside it.
            std::string text = "\"";
            for (++i; i < line.size() && line[i] != '"'; ++i) {
                if (line[i] == '\\' && i + 1 < line.size()) ++i;
                text += line[i];
            }
            if (i >= line.size()) {
                ok = false;
                return words;
            }
            words.push_back(text);
            ++i;
        } else {
            size_t end = line.find_first_of(" \t\r", i);
            if (end == std::string::npos) end = line.size();
            words.push_back(line.substr(i, end - i));
            i = end;
        }
    }
    return words;
}

bool Number(const std::string& word, uint32_t& value) {
    if (word.empty() || word[0] == '"') return false;
    char* end = nullptr;
    long long v = std::strtoll(word.c_str(), &end, 0);
    if (*end) return false;
    value = static_cast<uint32_t>(v);
    return true;
}

bool Text(const std::string& word, std::string& text) {
    if (word.empty() || word[0] != '"') return false;
    text = word.substr(1);
    return true;
}

bool Hex(const std::string& word, std::vector<uint8_t>& bytes) {
    if (word.size() % 2) return false;
    for (size_t i = 0; i < word.size(); i += 2) {
        char pair[3] = {word[i], word[i + 1], 0};
        char* end = nullptr;
        long v = std::strtol(pair, &end, 16);
        if (*end) return false;
        bytes.push_back(static_cast<uint8_t>(v));
    }
    return true;
}

bool AttributeLine(const std::vector<std::string>& w, Device& d) {
    Attribute a;
    if (w.size() < 4 || !Number(w[1], a.object) || !Number(w[2], a.id)) return false;
    const std::string& kind = w[3];
    if (kind == "null") {
        a.nullValues = true;
    } else if (kind == "empty") {
    } else {
        for (size_t i = 4; i < w.size(); ++i) {
            Value v;
            if (kind == "number") {
                v.type = 1;
                if (!Number(w[i], v.number)) return false;
            } else if (kind == "text") {
                v.type = 2;
                if (w[i] == "null") v.nullPointer = true;
                else if (!Text(w[i], v.text)) return false;
            } else if (kind == "pair") {
                v.type = 3;
                size_t comma = w[i].find(',');
                uint32_t k, s;
                if (comma == std::string::npos || !Number(w[i].substr(0, comma), k) ||
                    !Number(w[i].substr(comma + 1), s))
                    return false;
                v.bytes = {static_cast<uint8_t>(k), static_cast<uint8_t>(s)};
            } else if (kind == "bytes") {
                v.type = 3;
                if (!Hex(w[i], v.bytes)) return false;
            } else if (kind == "entry") {
                // {u16 number; text}: a number word and a text word per value
                uint32_t n;
                std::string t;
                if (i + 1 >= w.size() || !Number(w[i], n) || !Text(w[i + 1], t)) return false;
                v.type = 3;
                v.bytes = {static_cast<uint8_t>(n), static_cast<uint8_t>(n >> 8)};
                v.bytes.insert(v.bytes.end(), t.begin(), t.end());
                v.bytes.push_back(0);
                ++i;
            } else if (kind == "mixed") {
                // a number, or a text in quotes, per value
                if (Text(w[i], v.text)) v.type = 2;
                else if (Number(w[i], v.number)) v.type = 1;
                else return false;
            } else {
                return false;
            }
            a.values.push_back(std::move(v));
        }
    }
    d.attributes.push_back(std::move(a));
    return true;
}

bool NumberList(const std::vector<std::string>& w, size_t from, std::vector<uint32_t>& out) {
    for (size_t i = from; i < w.size(); ++i) {
        uint32_t v;
        if (!Number(w[i], v)) return false;
        out.push_back(v);
    }
    return true;
}

bool FaultLine(const std::vector<std::string>& w, Device& d) {
    uint32_t slot = 0, value = 0;
    if (w.size() < 3) return false;
    const std::string& what = w[1];
    if (what == "pointers" && w[2] == "stray") return d.strayPointers = true;
    if (what == "start" || what == "connect" || what == "info" || what == "account") {
        if (!Number(w[2], value)) return false;
        if (what == "start") d.startCode = static_cast<int32_t>(value);
        else if (what == "connect") d.connectCode = static_cast<int32_t>(value);
        else if (what == "info") d.infoCode = value;
        else d.accountCode = static_cast<int32_t>(value);
        return true;
    }
    if (!Number(w[2], slot)) return false;
    if (what == "nullreply") return d.nullReply[static_cast<int>(slot)] = true;
    if (w.size() < 4 || !Number(w[3], value)) return false;
    if (what == "refuse") d.refuse[static_cast<int>(slot)] = static_cast<int32_t>(value);
    else if (what == "status") d.status[static_cast<int>(slot)] = static_cast<int32_t>(value);
    else if (what == "extra") d.extra[static_cast<int>(slot)] = value;
    else return false;
    return true;
}

bool Line(const std::vector<std::string>& w, Device& d) {
    const std::string& key = w[0];
    uint32_t a = 0, b = 0;
    std::string t, u;
    if (key == "attr") return AttributeLine(w, d);
    if (key == "fault") return FaultLine(w, d);
    if (key == "host") return w.size() == 2 && Text(w[1], d.host);
    if (key == "port") return w.size() == 2 && Number(w[1], d.port);
    if (key == "mode") {
        if (w.size() != 2 || (w[1] != "inline" && w[1] != "worker")) return false;
        d.worker = w[1] == "worker";
        return true;
    }
    if (key == "parts") return w.size() == 2 && Number(w[1], d.parts);
    if (key == "address") {
        if (w.size() == 2 && w[1] == "none") return !(d.hasAddress = false);
        unsigned p[4];
        if (w.size() != 2 || std::sscanf(w[1].c_str(), "%u.%u.%u.%u", &p[0], &p[1], &p[2], &p[3]) != 4) return false;
        for (int i = 0; i < 4; ++i) d.address[i] = static_cast<uint8_t>(p[i]);
        return true;
    }
    if (key == "list") return w.size() >= 3 && Number(w[1], a) && Number(w[2], b) && NumberList(w, 3, d.lists[{a, b}]);
    if (key == "values") return w.size() >= 2 && Number(w[1], a) && NumberList(w, 2, d.values[a]);
    if (key == "mailbox") {
        if (w.size() != 3 || !Number(w[1], a) || !Text(w[2], t)) return false;
        d.mailBoxes.emplace_back(a, t);
        return true;
    }
    if (key == "font") {
        if (w.size() != 3 || !Text(w[1], t) || !Number(w[2], a)) return false;
        d.fonts.emplace_back(t, a);
        return true;
    }
    if (key == "variable") {
        if (w.size() != 3 || w[1].empty() || w[1][0] == '"' || !Text(w[2], t)) return false;
        d.variables[w[1]] = t;
        return true;
    }
    if (key == "row") return w.size() == 3 && Number(w[1], a) && Number(w[2], d.rows[a]);
    if (key == "rowtext") return w.size() == 2 && Text(w[1], d.rowText);
    if (key == "textanswer")
        return w.size() == 4 && Number(w[1], d.textAnswer[0]) && Number(w[2], d.textAnswer[1]) &&
               Number(w[3], d.textAnswer[2]);
    if (key == "namelist") {
        if (w.size() != 4 || !Text(w[1], t) || !Text(w[2], u) || !Number(w[3], a)) return false;
        d.nameList.push_back({t, u, static_cast<uint8_t>(a)});
        return true;
    }
    if (key == "pair") return w.size() == 3 && Number(w[1], d.pair[0]) && Number(w[2], d.pair[1]);
    if (key == "account") {
        if (w.size() != 3 || !Number(w[1], a) || !Number(w[2], b)) return false;
        d.accounts.emplace_back(a, b);
        return true;
    }
    if (key == "remote") {
        if (w.size() != 3 || !Number(w[1], a) || !Number(w[2], b)) return false;
        d.remote[0] = static_cast<uint16_t>(a);
        d.remote[1] = static_cast<uint16_t>(b);
        return true;
    }
    return false;
}

}  // namespace

bool ParseDevice(const std::string& text, Device& device, int& badLine) {
    std::istringstream in(text);
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        bool ok;
        std::vector<std::string> words = Words(line, ok);
        if (ok && words.empty()) continue;
        if (!ok || !Line(words, device)) {
            badLine = number;
            return false;
        }
    }
    return true;
}

}  // namespace simdev
