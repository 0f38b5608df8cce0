// SPDX-License-Identifier: MIT
#include "core/runtime/page_json.h"

#include <cstdio>

namespace vorl {
namespace {

void appendString(std::string& out, const std::string& text) {
    out += '"';
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
            out += escaped;
        } else {
            out += c;  // UTF-8 passes through as it is
        }
    }
    out += '"';
}

void appendItems(std::string& out, const std::vector<MenuItem>& items) {
    out += '[';
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0) {
            out += ',';
        }
        out += "{\"name\":";
        appendString(out, items[i].Name);
        out += ",\"caption\":";
        appendString(out, items[i].Caption);
        out += ",\"items\":";
        appendItems(out, items[i].Items);
        out += '}';
    }
    out += ']';
}

void appendStrings(std::string& out, const std::vector<std::string>& strings) {
    out += '[';
    for (std::size_t i = 0; i < strings.size(); ++i) {
        if (i > 0) {
            out += ',';
        }
        appendString(out, strings[i]);
    }
    out += ']';
}

}  // namespace

std::string readoutJson(const TextReadout& readout) {
    std::string out = "{\"rows\":[";
    for (std::size_t i = 0; i < readout.rows.size(); ++i) {
        if (i > 0) {
            out += ',';
        }
        appendStrings(out, readout.rows[i]);
    }
    out += "],\"current\":";
    appendString(out, readout.current);
    out += '}';
    return out;
}

std::string menuJson(const std::vector<MenuItem>& items) {
    std::string out;
    appendItems(out, items);
    return out;
}

}  // namespace vorl
