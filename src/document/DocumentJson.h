#pragma once
// The document as JSON: page settings, guide lines and every frame's stored
// fields in z-order. For people and scripts reading a file.

#include <QJsonObject>

class TCDLDocument;
class TCDLPage;

QJsonObject PageToJson(const TCDLPage &page);
QJsonObject DocumentToJson(const TCDLDocument &doc);
