#pragma once
// The garden model in one include: catalogue and calendars, shared state,
// weekly checks, load and save.

#include "model/catalogo.h"
#include "model/checagens.h"
#include "model/estado.h"
#include "model/persistencia.h"
#include "model/regras.h"
