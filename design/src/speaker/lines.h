// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The lines of a text file from outside, one at a time, with their numbers
// and the limits every reader keeps.

#include <cstddef>
#include <string>
#include <string_view>

#include "vandrel/speaker/text_file.h"

namespace vandrel::speaker {

class Lines {
public:
    /// `text` without a leading UTF-8 byte-order mark, split at line ends:
    /// a line feed, a carriage return and a line feed, or a carriage return
    /// alone (as old Mac programs write).
    Lines(std::string_view text, std::size_t max_lines, std::size_t max_length)
        : text_(text), max_lines_(max_lines), max_length_(max_length) {
        if (text_.starts_with("\xEF\xBB\xBF")) text_.remove_prefix(3);
    }

    /// The next line into `line`; false at the end, or with `problem` set
    /// when a limit is passed or the text holds a NUL byte.
    bool next(std::string_view& line, FileProblem& problem) {
        if (pos_ >= text_.size()) return false;
        ++number_;
        if (static_cast<std::size_t>(number_) > max_lines_) {
            problem = {number_, "the file has more than " + std::to_string(max_lines_) + " lines"};
            return false;
        }
        const std::size_t end = text_.find_first_of("\r\n", pos_);
        line = text_.substr(pos_, end == std::string_view::npos ? std::string_view::npos : end - pos_);
        if (end == std::string_view::npos)
            pos_ = text_.size();
        else
            pos_ = end + (text_.compare(end, 2, "\r\n") == 0 ? 2 : 1);
        if (line.size() > max_length_) {
            problem = {number_, "the line is longer than " + std::to_string(max_length_) + " characters"};
            return false;
        }
        if (line.find('\0') != std::string_view::npos) {
            problem = {number_, "the line holds a NUL byte: this is not a text file"};
            return false;
        }
        return true;
    }

    /// Number of the line `next` gave last, from 1.
    int number() const { return number_; }

private:
    std::string_view text_;
    std::size_t max_lines_, max_length_;
    std::size_t pos_ = 0;
    int number_ = 0;
};

}  // namespace vandrel::speaker
