#pragma once

#include <charconv>
#include <cstdint>
#include <optional>
#include <string>
#include <variant>

namespace zel {

// A value read from or written to the host database. Null is distinct from the empty text.
class Variant {
public:
    Variant() = default;
    Variant(std::nullptr_t) {}
    Variant(std::string text) : value_(std::move(text)) {}
    Variant(const char* text) : value_(std::string(text)) {}
    Variant(std::int64_t number) : value_(number) {}
    Variant(int number) : value_(static_cast<std::int64_t>(number)) {}
    Variant(double number) : value_(number) {}

    bool IsNull() const { return std::holds_alternative<std::monostate>(value_); }
    bool IsText() const { return std::holds_alternative<std::string>(value_); }
    bool IsInteger() const { return std::holds_alternative<std::int64_t>(value_); }
    bool IsReal() const { return std::holds_alternative<double>(value_); }

    // The value as text; Null gives the empty text. Reals use the shortest exact form ("1.5", "100").
    std::string ToString() const;
    // The value as a number, when it is one or is a text that reads as one.
    std::optional<double> ToDouble() const;

    bool operator==(const Variant&) const = default;

private:
    std::variant<std::monostate, std::int64_t, double, std::string> value_;
};

inline std::string Variant::ToString() const {
    if (const auto* text = std::get_if<std::string>(&value_)) {
        return *text;
    }
    if (const auto* whole = std::get_if<std::int64_t>(&value_)) {
        return std::to_string(*whole);
    }
    if (const auto* real = std::get_if<double>(&value_)) {
        char buffer[64];
        auto result = std::to_chars(buffer, buffer + sizeof buffer, *real);
        return std::string(buffer, result.ptr);
    }
    return {};
}

inline std::optional<double> Variant::ToDouble() const {
    if (const auto* whole = std::get_if<std::int64_t>(&value_)) {
        return static_cast<double>(*whole);
    }
    if (const auto* real = std::get_if<double>(&value_)) {
        return *real;
    }
    if (const auto* text = std::get_if<std::string>(&value_)) {
        double number = 0;
        const char* end = text->data() + text->size();
        auto result = std::from_chars(text->data(), end, number);
        if (result.ec == std::errc() && result.ptr == end && !text->empty()) {
            return number;
        }
    }
    return std::nullopt;
}

}  // namespace zel
