// Memory guard: an operation that would need more memory than the machine can give reports
// it as an error before allocating, instead of letting the system kill the process.
//
// Budget: one operation may allocate at most half of the memory the system reports as
// available (MemAvailable), so that the program and the rest of the machine keep room.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

class ErreurMemoire : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Memory the system can give without swapping, in bytes.
std::uint64_t MemoireDisponible();

// The part of it one operation may take. A fixed budget (tests) replaces it when non-zero.
std::uint64_t BudgetMemoire();
void FixerBudgetMemoire(std::uint64_t octets);

// Throws ErreurMemoire, whose message names `quoi`, when `octets` exceed the budget.
void VerifierMemoire(std::uint64_t octets, const std::string& quoi);

// Reserves room for n samples in an empty array, asking the system for huge pages when the
// array is large: filling a few hundred megabytes then costs hundreds of page faults instead
// of hundreds of thousands. Grow it afterwards block by block (resize), while filling.
void ReserverEchantillons(std::vector<double>& v, std::size_t n);

// Bytes in human-readable form for messages ("1,5 Go").
std::string TexteOctets(std::uint64_t octets);
