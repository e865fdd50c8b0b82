// The windows' font: "MS Sans Serif" at 8 points, drawn with the closest font this system
// has (Liberation Sans shares Arial's metrics, then any sans serif).
#pragma once

#include <QFont>

QFont PoliceFenetres();
