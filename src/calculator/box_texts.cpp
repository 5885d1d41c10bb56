#include "calculator/box_texts.h"

#include "text_rules/leading_numeric.h"
#include "text_rules/messages.h"

#include <algorithm>

namespace velmoka {

namespace {

// The impedance range the entry check admits, ohms, both bounds included.
constexpr double kLowestImpedance = 0.5;
constexpr double kHighestImpedance = 150.0;

}  // namespace

BoxTexts::BoxTexts()
    : texts_{
          u" 0.00",     // length1_txt
          u"  70.00",   // w_txt
          u"  0.0000",  // ct_txt
          u"  0.0000",  // lpi_txt
          u"  0.0000",  // lt_txt
          u"  0.0000",  // cpi_txt
          u" 50.0",     // z0_txt
          u" 1.00 ",    // er_eff_txt
          u" 1.00 ",    // vel_txt
          u" 0.00",     // length2_txt
          u" 12.9",     // er_txt
          u" 100.0",    // h_txt
          u" 4.00",     // t_txt
          u" 1.00",     // freq_txt
      } {}

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
    if (std::ranges::equal(current, text)) {
        return false;
    }
    current.assign(text.begin(), text.end());
    return true;
}

void BoxTexts::check_impedance(Outcome& outcome) {
    const double z0 = leading_numeric((*this)[Box::z0_txt]);
    if (!(z0 < kLowestImpedance || z0 > kHighestImpedance)) {
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

}  // namespace velmoka
