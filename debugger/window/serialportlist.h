#pragma once

#include <QStringList>

#include <functional>

// Where the serial page learns which ports the system has. By default the
// system's own list; a test can put another source in its place.
namespace SerialPortList {

using Source = std::function<QStringList()>;

// Names of the available ports, in the order the source reports them.
QStringList availablePortNames();

// Replaces the source; an empty function restores the system's list.
void setSource(Source source);

} // namespace SerialPortList
