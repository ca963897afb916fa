#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace fx {

// A text of exactly N one-byte characters (Latin-1), as the files store it: no terminator,
// a longer text is cut, a shorter one padded on the right with blanks. A text that was never
// assigned holds N zero bytes; the files keep that difference.
template <std::size_t N> struct FixedText {
    std::array<std::uint8_t, N> bytes{};

    static constexpr std::size_t size() { return N; }

    static FixedText fromText(std::string_view latin1)
    {
        FixedText t;
        t.assign(latin1);
        return t;
    }

    static FixedText blanks()
    {
        FixedText t;
        t.bytes.fill(' ');
        return t;
    }

    void assign(std::string_view latin1)
    {
        bytes.fill(' ');
        const std::size_t n = std::min(N, latin1.size());
        for (std::size_t i = 0; i < n; ++i)
            bytes[i] = static_cast<std::uint8_t>(latin1[i]);
    }

    // All N bytes as Latin-1 characters, trailing blanks included.
    std::string str() const { return std::string(bytes.begin(), bytes.end()); }

    // The text without its trailing blanks (leading blanks stay).
    std::string trimmed() const
    {
        std::size_t end = N;
        while (end > 0 && bytes[end - 1] == ' ')
            --end;
        return std::string(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(end));
    }

    bool isBlank() const
    {
        return std::all_of(bytes.begin(), bytes.end(), [](std::uint8_t b) { return b == ' '; });
    }

    bool operator==(const FixedText&) const = default;
};

} // namespace fx
