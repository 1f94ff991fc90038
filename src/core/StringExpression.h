#pragma once
#include <cstdint>
#include <string>

// Short texts with a unit for amounts of data and remaining times: whole numbers, no space.
class CStringExpression {
  public:
    virtual ~CStringExpression() = default;
    std::string FormatSize(std::uint32_t bytes) const;
    std::string FormatTime(std::uint32_t seconds) const;
};
