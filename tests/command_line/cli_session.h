#pragma once

// velmoka-cli run in this process: its arguments and standard input in, its exit status and
// both outputs back.

#include "command_line/command_line.h"

#include <QByteArray>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>

#include <sstream>
#include <string>
#include <vector>

struct CliRun {
    int status;
    QString out;
    QString err;

    // The lines of json output, each read back as an object; an empty object where a line is no
    // JSON object.
    QList<QJsonObject> objects() const {
        QList<QJsonObject> objects;
        for (const QString& line : out.split('\n', Qt::SkipEmptyParts)) {
            objects << QJsonDocument::fromJson(line.toUtf8()).object();
        }
        return objects;
    }

    // How each run of json output ended, as "status|message|box".
    QStringList endings() const {
        QStringList endings;
        for (const QJsonObject& object : objects()) {
            endings << object["status"].toString() + "|" + object["message"].toString() + "|" +
                           object["box"].toString();
        }
        return endings;
    }
};

inline CliRun run_cli(const QStringList& arguments, const QByteArray& input = {}) {
    std::vector<std::string> texts = {"velmoka-cli"};
    for (const QString& argument : arguments) {
        texts.push_back(argument.toStdString());
    }
    std::vector<const char*> argv;
    for (const std::string& text : texts) {
        argv.push_back(text.c_str());
    }
    std::istringstream in(input.toStdString());
    std::ostringstream out;
    std::ostringstream err;
    const int status = velmoka::command_line::run(static_cast<int>(argv.size()), argv.data(), in, out, err);
    return {status, QString::fromStdString(out.str()), QString::fromStdString(err.str())};
}
