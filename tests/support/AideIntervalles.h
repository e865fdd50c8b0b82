// Test helpers: two-component boxes, and the text of intervals and boxes for compact
// tables: "5" is a single value, "[1,3]" a genuine interval (also "[1,1]"), "x" joins box
// components, " empty" marks emptiness.
#pragma once

#include "interval/Box.h"

#include <charconv>
#include <initializer_list>
#include <string>

inline Box Pave(Interval X, Interval Y) {
    Box b(2, 1);
    return b[1] = X, b[2] = Y, b;
}
inline Box Pave(double x1, double x2, double y1, double y2) {
    return Pave(Interval(x1, x2), Interval(y1, y2));
}

inline std::string Texte(double v) {
    char t[32];
    return std::string(t, std::to_chars(t, t + sizeof t, v).ptr);
}

// Built by appending only (prepending to a temporary trips a false g++ 12 warning).
inline std::string Texte(const Interval& a) {
    std::string r = Texte(a.Lo);
    if (a.IsInterval) {
        r.insert(r.begin(), '[');
        r.append(",").append(Texte(a.Hi)).append("]");
    }
    return a.IsEmpty ? r.append(" empty") : r;
}

inline std::string Texte(const Box& b) {
    std::string r;
    for (int i = 1; i <= b.Dimension; ++i) {
        r.append(i > 1 ? "x" : "").append(Texte(b[i]));
    }
    return b.IsEmpty ? r.append(" empty") : r;
}

// Several results in one line, separated by "; ".
inline std::string Textes(std::initializer_list<Interval> l) {
    std::string r;
    for (const Interval& a : l) {
        r.append(r.empty() ? "" : "; ").append(Texte(a));
    }
    return r;
}
