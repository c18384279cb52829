#pragma once
// Input/output failures of the settings file, with the run-time error codes the program reports.
#include "base/Exceptions.h"

namespace tarvix {

class EInOutError : public Exception {
public:
    // The message is the catalogue text of the code.
    explicit EInOutError(int code);
    int ErrorCode() const noexcept { return code_; }

private:
    int code_;
};

// "Fichier introuvable" (2), "Nom de fichier incorrect" (3), "Trop de fichiers ouverts" (4),
// "Accès au fichier refusé" (5), "Lecture au-delà de la fin de fichier" (100), "Disque plein" (101),
// otherwise "Erreur E/S %d".
std::string InOutErrorMessage(int code);

// The code reported for a failed system call; writing tells read faults from write faults.
int InOutCodeFromErrno(int err, bool writing);

} // namespace tarvix
