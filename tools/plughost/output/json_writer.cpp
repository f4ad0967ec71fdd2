#include "output/json_writer.h"

#include <cmath>
#include <cstdio>

std::string jsonEscape(const std::string& text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\t': out += "\\t"; break;
        default:
            if (c < 0x20) {
                char buffer[8];
                std::snprintf(buffer, sizeof buffer, "\\u%04x", c);
                out += buffer;
            } else {
                out += static_cast<char>(c);
            }
        }
    }
    return out + "\"";
}

void JsonWriter::prefix(const std::string& key) {
    if (!first.empty()) {
        if (!first.back()) document += ",";
        first.back() = false;
        document += "\n" + std::string(first.size() * 2, ' ');
    }
    if (!key.empty()) document += jsonEscape(key) + ": ";
}

void JsonWriter::beginObject(const std::string& key) {
    prefix(key);
    document += "{";
    first.push_back(true);
}

void JsonWriter::endObject() {
    first.pop_back();
    document += "\n" + std::string(first.size() * 2, ' ') + "}";
    if (first.empty()) document += "\n";
}

void JsonWriter::beginArray(const std::string& key) {
    prefix(key);
    document += "[";
    first.push_back(true);
}

void JsonWriter::endArray() {
    first.pop_back();
    document += "\n" + std::string(first.size() * 2, ' ') + "]";
}

void JsonWriter::string(const std::string& key, const std::string& value) {
    prefix(key);
    document += jsonEscape(value);
}

void JsonWriter::number(const std::string& key, double value) {
    prefix(key);
    if (!std::isfinite(value)) {
        document += "null";
        return;
    }
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.9g", value);
    document += buffer;
}

void JsonWriter::integer(const std::string& key, long long value) {
    prefix(key);
    document += std::to_string(value);
}

void JsonWriter::boolean(const std::string& key, bool value) {
    prefix(key);
    document += value ? "true" : "false";
}
