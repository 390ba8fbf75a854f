#pragma once
#include <QString>
#include <exception>

namespace tess {

// An error with a text for the user. EngineError carries the database
// engine's own message.
class Error : public std::exception {
public:
    explicit Error(QString text) : msg(std::move(text)), utf8(msg.toUtf8()) {}
    const QString& text() const { return msg; }
    const char* what() const noexcept override { return utf8.constData(); }
private:
    QString msg;
    QByteArray utf8;
};

class EngineError : public Error {
public:
    using Error::Error;
};

// Raised by a data-set event handler to stop the operation silently (the
// handler has already told the user why).
class Abort : public std::exception {
public:
    const char* what() const noexcept override { return "aborted"; }
};

} // namespace tess
