// The purchase edition.
#include "ui/app/Application.h"

int main(int argc, char** argv) { return rk::ui::runEdition(rk::Edition::Purchase, argc, argv); }
