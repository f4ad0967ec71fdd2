#include "editor/editor_script.h"

#include <fstream>
#include <sstream>

#include "cli.h"
#include "error.h"

namespace {

class LineReader {
public:
    LineReader(const std::string& scriptName, int lineNumber,
               const std::vector<std::string>& lineWords)
        : source(scriptName), line(lineNumber), words(lineWords) {}

    [[noreturn]] void fail(const std::string& what) const {
        throw HostError(source + ":" + std::to_string(line) + ": " + what);
    }
    void expectWords(size_t count, const char* shape) const {
        if (words.size() != count) fail(std::string("expected: ") + shape);
    }
    int coordinate(size_t i) const {
        long long v = 0;
        if (!parseInteger(words[i], v) || v < -32768 || v > 32767)
            fail("bad coordinate '" + words[i] + "'");
        return static_cast<int>(v);
    }
    int index(size_t i) const {
        long long v = 0;
        if (!parseInteger(words[i], v) || v < 0 || v > (1 << 20))
            fail("bad index '" + words[i] + "'");
        return static_cast<int>(v);
    }
    double number(size_t i, const char* name, double min, double max) const {
        double v = 0;
        if (!parseFloat(words[i], v)) fail(std::string("bad ") + name + " '" + words[i] + "'");
        if (v < min || v > max) fail(std::string(name) + " " + words[i] + " out of range");
        return v;
    }

private:
    const std::string& source;
    int line;
    const std::vector<std::string>& words;
};

// The text after the command word and one space, kept as written.
std::string restOfLine(const std::string& raw) {
    const size_t start = raw.find_first_not_of(" \t");
    const size_t gap = raw.find_first_of(" \t", start);
    return gap == std::string::npos ? "" : raw.substr(gap + 1);
}

ScriptCommand parseLine(const std::string& raw, const std::vector<std::string>& w,
                        const LineReader& r) {
    using Kind = ScriptCommand::Kind;
    ScriptCommand c;
    const std::string& verb = w[0];
    if (verb == "press" || verb == "move") {
        r.expectWords(3, (verb + " X Y").c_str());
        c.kind = verb == "press" ? Kind::press : Kind::move;
        c.x = r.coordinate(1);
        c.y = r.coordinate(2);
    } else if (verb == "release") {
        r.expectWords(1, "release");
        c.kind = Kind::release;
    } else if (verb == "wheel") {
        r.expectWords(5, "wheel X Y up|down N");
        c.kind = Kind::wheel;
        c.x = r.coordinate(1);
        c.y = r.coordinate(2);
        if (w[3] != "up" && w[3] != "down") r.fail("expected: wheel X Y up|down N");
        const double notches = r.number(4, "notches", 1.0, 1000.0);
        if (notches != static_cast<int>(notches)) r.fail("bad notches '" + w[4] + "'");
        c.index = w[3] == "up" ? static_cast<int>(notches) : -static_cast<int>(notches);
    } else if (verb == "key") {
        r.expectWords(2, "key NAME");
        c.kind = Kind::key;
        c.text = w[1];
    } else if (verb == "type") {
        c.kind = Kind::type;
        c.text = restOfLine(raw);
        if (c.text.empty()) r.fail("expected: type TEXT");
    } else if (verb == "wait") {
        r.expectWords(2, "wait MS");
        c.kind = Kind::wait;
        c.milliseconds = r.number(1, "wait", 0.0, 3600e3);
    } else if (verb == "screenshot") {
        r.expectWords(2, "screenshot PNG");
        c.kind = Kind::screenshot;
        c.text = w[1];
    } else if (verb == "set") {
        r.expectWords(3, "set INDEX VALUE");
        c.kind = Kind::set;
        c.index = r.index(1);
        c.value = static_cast<float>(r.number(2, "value", 0.0, 1.0));
    } else {
        r.fail("unknown command '" + verb + "'");
    }
    return c;
}

}  // namespace

std::vector<ScriptCommand> parseEditorScript(std::istream& in, const std::string& source) {
    std::vector<ScriptCommand> commands;
    std::string raw;
    int line = 0;
    while (std::getline(in, raw)) {
        ++line;
        if (!raw.empty() && raw.back() == '\r') raw.pop_back();
        std::istringstream split(raw);
        std::vector<std::string> words;
        for (std::string word; split >> word;) words.push_back(word);
        if (words.empty() || words[0][0] == '#') continue;
        ScriptCommand c = parseLine(raw, words, LineReader(source, line, words));
        c.line = line;
        commands.push_back(c);
    }
    return commands;
}

std::vector<ScriptCommand> loadEditorScript(const std::string& path) {
    std::ifstream in(path);
    if (!in) throw HostError(path + ": cannot open script");
    return parseEditorScript(in, path);
}
