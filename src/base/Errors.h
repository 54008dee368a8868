#pragma once
// Errors that reach the person carry a localized text; the outermost command
// catches them and shows the text once.

#include <QString>
#include <stdexcept>

class ELocalizedError : public std::runtime_error
{
public:
    explicit ELocalizedError(QString message) : std::runtime_error(message.toStdString()), m_message(std::move(message))
    {
    }
    const QString &message() const { return m_message; }

private:
    QString m_message;
};

// A read ran past the end of the data or met something it cannot accept.
class EStreamError : public ELocalizedError
{
public:
    using ELocalizedError::ELocalizedError;
};

// The page refused another frame (the 30,000 limit).
class EFrameLimit : public ELocalizedError
{
public:
    using ELocalizedError::ELocalizedError;
};

// "Es ist der interne Fehler Nr. <n> aufgetreten."
ELocalizedError InternalError(int number);
