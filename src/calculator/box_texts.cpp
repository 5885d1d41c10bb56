#include "calculator/box_texts.h"

#include "calculator/impedance_check.h"
#include "text_rules/leading_numeric.h"
#include "text_rules/messages.h"

#include <algorithm>

namespace velmoka {

BoxTexts::BoxTexts() {
    for (std::size_t box = 0; box < kBoxCount; ++box) {
        texts_[box].assign(kOpeningTexts[box].begin(), kOpeningTexts[box].end());
    }
}

void BoxTexts::edit(Box box, std::u16string_view text, Outcome& outcome) {
    if (change(box, text) && box == Box::z0_txt) {
        check_impedance(outcome);
    }
}

void BoxTexts::write(Box box, std::string_view text, Outcome& outcome) {
    const bool changed = change(box, text);
    outcome.writes.push_back({box, (*this)[box], changed, false});
    if (changed && box == Box::z0_txt) {
        check_impedance(outcome);
    }
}

template <typename Text>
bool BoxTexts::change(Box box, Text text) {
    std::u16string& current = texts_[index_of(box)];
    if (std::equal(current.begin(), current.end(), text.begin(), text.end())) {
        return false;
    }
    current.assign(text.begin(), text.end());
    return true;
}

void BoxTexts::check_impedance(Outcome& outcome) {
    if (!refused_by_entry_check(leading_numeric((*this)[Box::z0_txt]))) {
        return;
    }
    // The replacement is itself a change and runs this check once more; " Invalid Z0" reads 0,
    // so that nested run writes the same text again, which is no change and ends the chain.
    const bool changed = change(Box::z0_txt, message::kInvalidZ0);
    outcome.writes.push_back({Box::z0_txt, (*this)[Box::z0_txt], changed, true});
    if (changed) {
        check_impedance(outcome);
    }
}

double WrittenTexts::number(Box box) const {
    return leading_numeric(texts_[box]);
}

void WrittenTexts::write_number(Box box, double value, Picture picture) {
    std::array<char, kLongestPictureText> text;
    texts_.write(box, std::string_view(text.data(), write_picture(text.data(), value, picture)), outcome_);
}

void WrittenTexts::write_message(Box box, std::string_view message) {
    texts_.write(box, message, outcome_);
}

std::optional<Stop> first_message_left(const std::vector<Write>& writes) {
    std::array<const Write*, kBoxCount> last_write{};
    for (const Write& write : writes) {
        last_write[index_of(write.box)] = &write;
    }
    std::optional<Stop> first;
    const Write* first_write = nullptr;
    for (const Write* write : last_write) {
        if (write == nullptr || (first_write != nullptr && write > first_write)) {
            continue;
        }
        for (const std::string_view message : message::kInPlaceOfValue) {
            if (std::equal(write->text.begin(), write->text.end(), message.begin(), message.end())) {
                first = Stop{write->box, message};
                first_write = write;
            }
        }
    }
    return first;
}

}  // namespace velmoka
