#pragma once

#include <QPointer>
#include <QWidget>

#include <optional>
#include <string_view>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace velmoka {

class AboutWindow;

// The calculator's one working surface: fourteen text boxes that hold every input and result
// as text, four command buttons, the About button and the microns / mils option buttons.
// Each command is a Click handler of this window; it reads boxes, calls the pure line and
// network formulas, and writes boxes. The commands live beside their physics (analysis/,
// synthesis/, networks/); this folder owns the controls and the text rules.
class MainWindow : public QWidget {
    Q_OBJECT

public:
    MainWindow();

    // The face of every control but the name and brand labels: "Arial" 9.75 pt bold.
    static QFont control_font();

private:
    friend struct WindowDesign;

    // Commands, one per button.
    void analysis_Click();
    void synthesis_Click();
    void synthpi_Click();
    void syntht_Click();
    void GetAboutVelmoka_Click();

    // The impedance entry check: runs on every change of z0_txt's text, also inside a
    // command's write, and replaces any value outside 0.5 to 150 ohms by " Invalid Z0".
    void z0_txt_Change(const QString& text);

    // The substrate checks that analysis and width synthesis share: er below 1 is raised to 1
    // (" 1.00"), a dielectric thickness of 0 or less stops with "Invalid H", and T/H at or
    // below its floor is raised to it (" 0.00"). Empty when the command must stop.
    struct Substrate {
        double er;  // relative permittivity, at least 1
        double t;   // conductor thickness over dielectric thickness, at least 0.001
    };
    std::optional<Substrate> check_substrate(double er, double H, double T);
    struct StripRatios {
        double er;
        double u;  // strip width over dielectric thickness
        double t;
    };
    std::optional<StripRatios> check_analysis_inputs(double er, double H, double T, double W);

    // A step shared by the pi and T commands: the physical length of a section of electrical
    // length theta on the line whose e_eff the width synthesis has just shown (empty, with
    // " infinity" in length1_txt, when that e_eff is not positive).
    std::optional<double> section_length_on_window(double theta, double f);

    // Units and the line-length conversions (line_length.cpp). write_phase_length shows the
    // phase length of a line of the given physical length (mils).
    void update_unit_scale();
    void length_to_phase();
    void write_phase_length(double length);
    void phase_to_length();

    // Box operations shared by every command.
    static double number(const QLineEdit* box);
    static void write_number(QLineEdit* box, double value, std::string_view picture);
    static void write_message(QLineEdit* box, std::string_view message);

    void build_controls();

    // Mils per display unit: 1/25.4 with microns selected, 1 with mils. Set by
    // update_unit_scale, which every command runs before it reads a dimension.
    double unit_scale = 1.0;
    // Line length in guided wavelengths (1 is 360 degrees of phase), set by the commands.
    double len_lambda = 0.0;

    QLineEdit* length1_txt = nullptr;  // physical line length, display unit
    QLineEdit* w_txt = nullptr;        // strip width, display unit
    QLineEdit* ct_txt = nullptr;       // T network shunt capacitance, pF
    QLineEdit* lpi_txt = nullptr;      // pi network series inductance, nH
    QLineEdit* lt_txt = nullptr;       // T network series inductance, nH
    QLineEdit* cpi_txt = nullptr;      // pi network shunt capacitance, pF
    QLineEdit* z0_txt = nullptr;       // characteristic impedance, ohms
    QLineEdit* er_eff_txt = nullptr;   // effective dielectric constant
    QLineEdit* vel_txt = nullptr;      // relative velocity
    QLineEdit* length2_txt = nullptr;  // phase length, degrees
    QLineEdit* er_txt = nullptr;       // substrate relative dielectric constant
    QLineEdit* h_txt = nullptr;        // dielectric thickness, display unit
    QLineEdit* t_txt = nullptr;        // conductor thickness, display unit
    QLineEdit* freq_txt = nullptr;     // frequency, GHz

    QRadioButton* microns = nullptr;
    QRadioButton* mils = nullptr;

    // Created at the first click of "About", rebuilt after the user has closed it.
    QPointer<AboutWindow> about_window;
};

}  // namespace velmoka
