// Memory guard: one budget for everything the program holds (samples, derivatives, mixtures,
// estimates, box lists, plot buffers). It is set once from the machine's memory when the
// program starts (half of what the system reports as available then), and every operation
// that would make the held bytes pass it reports an error before allocating, instead of
// letting the system kill the process. The owner of the data (the main window) installs a
// counter that sums what it holds now, so an emptied or replaced array counts no more.
#pragma once

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

class ErreurMemoire : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Memory the system can give without swapping, in bytes.
std::uint64_t MemoireDisponible();

// The budget of the whole program: half of MemoireDisponible() read at the first call (the
// program makes that call at start). A fixed budget (tests) replaces it when non-zero.
std::uint64_t BudgetMemoire();
void FixerBudgetMemoire(std::uint64_t octets);

// What the program holds now, as its installed counter says (0 without one); nullptr removes
// the counter.
void FixerCompteurMemoire(std::function<std::uint64_t()> compteur);
std::uint64_t MemoireTenue();
// The part of the budget still free: BudgetMemoire() - MemoireTenue(), or 0.
std::uint64_t MemoireLibre();

// Throws ErreurMemoire, whose message names `quoi`, when `octets` more would pass the budget.
void VerifierMemoire(std::uint64_t octets, const std::string& quoi);

// Reserves room for n samples in an empty array, asking the system for huge pages when the
// array is large: filling a few hundred megabytes then costs hundreds of page faults instead
// of hundreds of thousands. Grow it afterwards block by block (resize), while filling.
void ReserverEchantillons(std::vector<double>& v, std::size_t n);

// Bytes in human-readable form for messages ("1,5 Go", "3,2 To", "5,6e+42 octets", in the
// units of the chosen language): a double so that sizes past any integer keep their figure.
std::string TexteOctets(double octets);

// A number written with "." (printf, to_chars) given the decimal separator of the chosen
// language, whatever the locale: "," in French.
std::string AvecSeparateurDecimal(std::string nombre);

class Box;
struct ContraintesActives;
enum class OrdreStockage : std::int32_t;

// The refusal of a solve that rejects nothing (fewer than two constraints) and whose kept
// boxes alone would pass the memory left, known before it starts from the box and the
// precision; `boitesGardees`: boxes the kept list holds already. Empty when it may fit. The
// window and the command line give this one text, with one decimal separator.
std::string RefusResolutionTropGrande(const Box& boite, double precision, OrdreStockage stockage,
                                      const ContraintesActives& contraintes,
                                      std::uint64_t boitesGardees);
