// The main window's controls, built from their design values: names, texts, positions in
// twips, fonts, colours and the keyboard focus order.

#include "window/main_window.h"
#include "window/twips.h"
#include "window/velmoka_icon.xpm"

#include <QButtonGroup>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>
#include <limits>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

namespace velmoka {

namespace {

const QColor kLightGrey(192, 192, 192);
const QColor kDarkGrey(128, 128, 128);
const QColor kDarkRed(128, 0, 0);
const QColor kRed(255, 0, 0);

constexpr int kClientWidth = 6255;   // twips
constexpr int kClientHeight = 4980;  // twips
constexpr int kBoxWidth = 972;       // twips, every text box
constexpr int kBoxHeight = 372;

// "Arial" where the desktop has it, else its metric twin "Liberation Sans". Naming the twin
// outright spares the font matching a search for a substitute for every weight and size.
QString arial_family() {
    static const QString family = QFontDatabase::families().contains(QStringLiteral("Arial"))
                                      ? QStringLiteral("Arial")
                                      : QStringLiteral("Liberation Sans");
    return family;
}

QFont arial(qreal points, QFont::Weight weight = QFont::Bold, bool italic = false) {
    QFont font;
    font.setFamilies({arial_family()});
    font.setPointSizeF(points);
    font.setWeight(weight);
    font.setItalic(italic);
    return font;
}

enum class Scheme { white, dark_grey };

enum class LabelStyle {
    caption,         // the window's font, centred, window-text colour
    name_left_box,   // "Arial" 11.25 pt bold, dark red, right-aligned against the box to its right
    name_right_box,  // the same, left-aligned against the box to its left
    brand,           // "Arial" 11.25 pt italic, red, centred
};

QString latin1(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

QPalette box_palette(const QPalette& base, Scheme scheme) {
    QPalette palette = base;
    const bool dark = scheme == Scheme::dark_grey;
    palette.setColor(QPalette::Base, dark ? kDarkGrey : Qt::white);
    palette.setColor(QPalette::Text, dark ? Qt::white : Qt::black);
    return palette;
}

void style_label(QLabel* label, LabelStyle style) {
    QPalette palette = label->palette();
    switch (style) {
        case LabelStyle::caption:
            label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
            return;
        case LabelStyle::name_left_box:
        case LabelStyle::name_right_box:
            label->setFont(arial(11.25));
            label->setAlignment((style == LabelStyle::name_left_box ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignTop);
            palette.setColor(QPalette::WindowText, kDarkRed);
            break;
        case LabelStyle::brand:
            label->setFont(arial(11.25, QFont::Normal, true));
            label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
            palette.setColor(QPalette::WindowText, kRed);
            break;
    }
    label->setPalette(palette);
}

// The design values of every control.
struct WindowDesign {
    struct BoxDesign {
        Box box;
        int left;
        int top;
        int tab;
        Scheme scheme;
        // What a screen reader says for the box: the caption beside or under it, and its unit.
        const char* spoken_name;
        const char* unit;
    };

    static constexpr const char* kDisplayUnit = "display unit: microns or mils as the option buttons say";
    static constexpr const char* kNoUnit = "no unit";

    // clang-format off
    static constexpr BoxDesign kBoxes[] = {
        {Box::length1_txt, 1080,  360, 22, Scheme::white,     "Length",                 kDisplayUnit},
        {Box::w_txt,       4200,  360, 21, Scheme::white,     "Width",                  kDisplayUnit},
        {Box::ct_txt,      1080,  840, 10, Scheme::white,     "C(pF)-T",                "pF"},
        {Box::lpi_txt,     4200,  840,  5, Scheme::white,     "L(nH)-Pi",               "nH"},
        {Box::lt_txt,      1080, 1320, 11, Scheme::white,     "L(nH)-T",                "nH"},
        {Box::cpi_txt,     4200, 1320,  4, Scheme::white,     "C(pF)-Pi",               "pF"},
        {Box::z0_txt,       480, 2640, 20, Scheme::dark_grey, "Impedance",              "ohms"},
        {Box::er_eff_txt,  1920, 2640, 33, Scheme::dark_grey, "Effective Dielectric",   kNoUnit},
        {Box::vel_txt,     3360, 2640, 34, Scheme::dark_grey, "Relative Velocity",      kNoUnit},
        {Box::length2_txt, 4800, 2640, 31, Scheme::dark_grey, "Phase Length (degrees)", "degrees"},
        {Box::er_txt,       480, 3720, 23, Scheme::dark_grey, "Dielectric Constant",    kNoUnit},
        {Box::h_txt,       1920, 3720, 24, Scheme::dark_grey, "Dielectric Thickness",   kDisplayUnit},
        {Box::t_txt,       3360, 3720, 25, Scheme::dark_grey, "Conductor Thickness",    kDisplayUnit},
        {Box::freq_txt,    4800, 3720, 30, Scheme::dark_grey, "Frequency (GHz)",        "GHz"},
    };

    // The four command buttons take their names from their commands.
    struct ButtonDesign {
        std::optional<Command> command;  // empty for "About"
        const char* caption;
        int left, top, width, height;
        int tab;
    };

    static constexpr ButtonDesign kButtons[] = {
        {Command::analysis,  "Analysis",         2160,  360, 1932, 372, 32},
        {Command::syntht,    "Synth. T",         2160,  840,  972, 372,  6},
        {Command::synthpi,   "Synth.Pi",         3120,  840,  972, 372,  7},
        {Command::synthesis, "Solve Microstrip",  768, 2208, 1836, 300, 29},
        {std::nullopt,       "About",            3648, 2208, 1836, 300, 41},
    };

    struct LabelDesign {
        const char* name;
        const char* caption;
        int left, top, width, height;
        LabelStyle style;
    };

    static constexpr LabelDesign kLabels[] = {
        {"length",   "Length",           120,  360,  852, 252, LabelStyle::name_left_box},
        {"wdth",     "Width",           5280,  360,  852, 252, LabelStyle::name_right_box},
        {"ctee",     "C(pF)-T",          120,  840,  852, 252, LabelStyle::name_left_box},
        {"lpi",      "L(nH)-Pi",        5280,  840,  852, 252, LabelStyle::name_right_box},
        {"ltee",     "L(nH)-T",          120, 1320,  852, 252, LabelStyle::name_left_box},
        {"cpi",      "C(pF)-Pi",        5280, 1320,  852, 252, LabelStyle::name_right_box},
        {"tarnwell", "Tarnwell",        2400, 1800, 1452, 372, LabelStyle::brand},
        // Captions under the lower boxes: first line 480 twips below the box's top, second 720.
        {"Label8",   "Impedance",        360, 3120, 1212, 252, LabelStyle::caption},
        {"Label9",   "Effective",       1800, 3120, 1212, 252, LabelStyle::caption},
        {"Label10",  "Dielectric",      1800, 3360, 1212, 252, LabelStyle::caption},
        {"Label11",  "Relative",        3240, 3120, 1212, 252, LabelStyle::caption},
        {"Label12",  "Velocity",        3240, 3360, 1212, 252, LabelStyle::caption},
        {"Label13",  "Phase Length",    4560, 3120, 1452, 252, LabelStyle::caption},
        {"Label14",  "(degrees)",       4680, 3360, 1212, 252, LabelStyle::caption},
        {"Label1",   "Dielectric",       360, 4200, 1212, 252, LabelStyle::caption},
        {"Label2",   "Constant",         360, 4440, 1212, 252, LabelStyle::caption},
        {"Label3",   "Dielectric",      1800, 4200, 1212, 252, LabelStyle::caption},
        {"Label4",   "Thickness",       1800, 4440, 1212, 252, LabelStyle::caption},
        {"Label5",   "Conductor",       3240, 4200, 1212, 252, LabelStyle::caption},
        {"Label6",   "Thickness",       3240, 4440, 1212, 252, LabelStyle::caption},
        {"Label7",   "Frequency (GHz)", 4560, 4200, 1572, 252, LabelStyle::caption},
    };

    struct OptionDesign {
        Units units;
        const char* caption;
        int left, top, width, height;
        int tab;
    };

    static constexpr OptionDesign kOptions[] = {
        {Units::microns, "microns", 2160, 1440, 1095, 255, 27},
        {Units::mils,    "mils",    3360, 1440,  732, 252, 28},
    };
    // clang-format on
};

}  // namespace

QFont MainWindow::control_font() {
    return arial(9.75);
}

void MainWindow::build_controls() {
    setObjectName(QStringLiteral("velmoka"));
    setWindowTitle(QStringLiteral("MicroStrip Velmoka Circuits"));
    setWindowIcon(QPixmap(velmoka_icon_xpm));
    // A fixed dialog frame: a close box, no minimise or maximise box, no resizing.
    setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(twips_to_pixels(kClientWidth), twips_to_pixels(kClientHeight));

    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, kLightGrey);
    palette.setColor(QPalette::Button, kLightGrey);
    setPalette(palette);
    setAutoFillBackground(true);
    // Every control but the name and brand labels shows "Arial" 9.75 pt bold. Set here, before
    // the controls exist, so that no box lays its text out again for a change of font.
    setFont(control_font());

    // (tab position, control): labels take no focus.
    std::vector<std::pair<int, QWidget*>> focus_order;

    for (const WindowDesign::BoxDesign& design : WindowDesign::kBoxes) {
        auto* box = new QLineEdit(QString::fromStdU16String(core.text(design.box)), this);
        box->setObjectName(latin1(name_of(design.box)));
        box->setGeometry(twips_rect(design.left, design.top, kBoxWidth, kBoxHeight));
        box->setPalette(box_palette(box->palette(), design.scheme));
        box->setMaxLength(std::numeric_limits<int>::max());
        box->setAccessibleName(QString::fromLatin1(design.spoken_name));
        box->setAccessibleDescription(QString::fromLatin1(design.unit));
        connect(box, &QLineEdit::textChanged, this,
                [this, which = design.box](const QString& text) { edit(which, text); });
        boxes[index_of(design.box)] = box;
        focus_order.emplace_back(design.tab, box);
    }

    for (const WindowDesign::ButtonDesign& design : WindowDesign::kButtons) {
        auto* button = new QPushButton(QString::fromLatin1(design.caption), this);
        button->setObjectName(design.command ? latin1(name_of(*design.command)) : QStringLiteral("GetAboutVelmoka"));
        button->setGeometry(twips_rect(design.left, design.top, design.width, design.height));
        // Neither Enter nor Escape presses a button.
        button->setAutoDefault(false);
        button->setDefault(false);
        if (design.command) {
            connect(button, &QPushButton::clicked, this, [this, command = *design.command] { press(command); });
        } else {
            connect(button, &QPushButton::clicked, this, &MainWindow::GetAboutVelmoka_Click);
        }
        focus_order.emplace_back(design.tab, button);
    }

    auto* units = new QButtonGroup(this);
    for (const WindowDesign::OptionDesign& design : WindowDesign::kOptions) {
        auto* option = new QRadioButton(QString::fromLatin1(design.caption), this);
        option->setObjectName(latin1(name_of(design.units)));
        option->setGeometry(twips_rect(design.left, design.top, design.width, design.height));
        QPalette option_palette = option->palette();
        option_palette.setColor(QPalette::WindowText, Qt::black);
        option->setPalette(option_palette);
        option->setChecked(design.units == core.units());
        connect(option, &QRadioButton::toggled, this, [this, chosen = design.units](bool checked) {
            if (checked) {
                core.set_units(chosen);
            }
        });
        units->addButton(option);
        focus_order.emplace_back(design.tab, option);
    }

    for (const WindowDesign::LabelDesign& design : WindowDesign::kLabels) {
        auto* label = new QLabel(QString::fromLatin1(design.caption), this);
        label->setObjectName(QString::fromLatin1(design.name));
        label->setGeometry(twips_rect(design.left, design.top, design.width, design.height));
        style_label(label, design.style);
        // "L(nH)-Pi" and "C(pF)-Pi" in bold 11.25 pt are a pixel or so longer than their
        // design room; a name label right of its box grows into the window's margin rather
        // than clip its last letter.
        if (design.style == LabelStyle::name_right_box) {
            label->resize(std::max(label->width(), label->sizeHint().width()), label->height());
        }
    }

    std::ranges::sort(focus_order, {}, &std::pair<int, QWidget*>::first);
    for (size_t i = 1; i < focus_order.size(); ++i) {
        setTabOrder(focus_order[i - 1].second, focus_order[i].second);
    }
    // The focus starts in the first control of the focus order.
    focus_order.front().second->setFocus();
}

}  // namespace velmoka
