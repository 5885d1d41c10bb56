#pragma once

// The files an install puts under its prefix, and their checks' shared facts. The build
// passes VELMOKA_APP_ID, the name the desktop knows the program by, and where and under which
// name the Python module installs.

#include <QStringList>

inline const QString kAppId = QStringLiteral(VELMOKA_APP_ID);

inline const QString kExecutable = QStringLiteral("bin/velmoka");
inline const QString kCommandLine = QStringLiteral("bin/velmoka-cli");
inline const QStringList kPrograms = {kExecutable, kCommandLine};
inline const QString kDesktopEntry = "share/applications/" + kAppId + ".desktop";
inline const QString kMetainfo = "share/metainfo/" + kAppId + ".metainfo.xml";
inline const QString kIcon32 = "share/icons/hicolor/32x32/apps/" + kAppId + ".png";
inline const QString kIconScalable = "share/icons/hicolor/scalable/apps/" + kAppId + ".svg";
inline const QStringList kManualPages = {QStringLiteral("share/man/man1/velmoka.1.gz"),
                                         QStringLiteral("share/man/man1/velmoka-cli.1.gz")};
inline const QString kCopyright = QStringLiteral("share/doc/velmoka/copyright");
inline const QString kChangelog = QStringLiteral("share/doc/velmoka/changelog.gz");

// The Python module, named for the python3 it is built for, and its type stub.
inline const QString kPythonDirectory = QStringLiteral(VELMOKA_PYTHON_DIR);
inline const QString kPythonModule = kPythonDirectory + "/" VELMOKA_PYTHON_MODULE;
inline const QString kPythonStub = kPythonDirectory + "/velmoka.pyi";

inline const QStringList kInstalledFiles =
    kPrograms + kManualPages +
    QStringList{kDesktopEntry, kMetainfo, kIcon32, kIconScalable, kCopyright, kChangelog, kPythonModule, kPythonStub};
