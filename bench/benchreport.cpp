#include "benchreport.h"

#include <cmath>
#include <cstdio>
#include <iostream>

BenchReport::BenchReport(std::string name) : m_name(std::move(name))
{
    std::cout << "== " << m_name << " ==" << std::endl;
}

void BenchReport::figure(std::string_view label, double value, std::string_view unit)
{
    std::cout << "  " << label << ": " << formatFigure(value) << ' ' << unit << std::endl;
}

void BenchReport::note(std::string_view text)
{
    std::cout << "  " << text << std::endl;
}

bool BenchReport::atMost(std::string_view what, double goal, double measured, std::string_view unit)
{
    return verdict(what, "<=", goal, measured, unit, measured <= goal);
}

bool BenchReport::atLeast(std::string_view what, double goal, double measured, std::string_view unit)
{
    return verdict(what, ">=", goal, measured, unit, measured >= goal);
}

bool BenchReport::verdict(std::string_view what, std::string_view relation, double goal, double measured,
                          std::string_view unit, bool met)
{
    // Units written as a suffix ("x") stick to the number; others get a blank.
    const std::string gap = unit.size() == 1 ? "" : " ";
    char goalText[32];
    std::snprintf(goalText, sizeof goalText, "%g", goal);
    std::cout << "[" << m_name << "] " << what << "  goal: " << relation << ' ' << goalText << gap << unit
              << "  measured: " << formatFigure(measured) << gap << unit << "  " << (met ? "OK" : "MISSED")
              << std::endl;
    if (!met)
        m_missed = true;
    return met;
}

std::string formatFigure(double value)
{
    const double size = std::fabs(value);
    const int decimals = size >= 100 ? 0 : size >= 10 ? 1 : size >= 0.1 ? 2 : 4;
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}
