#pragma once

#include <QWidget>

namespace velmoka {

// A small passive strip with the program's title and version in its caption and two lines
// of credit. It has no owner: it stays open when the main window closes.
class AboutWindow : public QWidget {
    Q_OBJECT

public:
    AboutWindow();
};

}  // namespace velmoka
