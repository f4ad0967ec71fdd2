// Just enough JSON writing for `info --json`: objects, arrays, strings,
// numbers and booleans, with commas and escaping handled.
#pragma once

#include <string>
#include <vector>

class JsonWriter {
public:
    void beginObject(const std::string& key = "");
    void endObject();
    void beginArray(const std::string& key = "");
    void endArray();
    void string(const std::string& key, const std::string& value);
    void number(const std::string& key, double value);
    void integer(const std::string& key, long long value);
    void boolean(const std::string& key, bool value);
    const std::string& text() const { return document; }

private:
    void prefix(const std::string& key);
    std::string document;
    std::vector<bool> first;
};

std::string jsonEscape(const std::string& text);
