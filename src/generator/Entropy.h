#pragma once

#include "CharacterPool.h"
#include "EachClass.h"

// The entropy, in bits, of one password of `length` characters drawn from pool: the Shannon
// entropy of the passwords as they come out. A character with several entries is likelier and
// weighs so; two entries of one character are one outcome, not two. With a rule, the passwords
// that fail it are never put out and the others keep their relative chances.
double PasswordEntropyBits(const CharacterPool& pool, qint32 length,
                           const EachClassRule& rule = EachClassRule());

// The share of all passwords of this length, drawn from pool, that meet the rule (1 when the
// rule chooses no class). One over it is the number of draws a password takes on average.
double EachClassAcceptance(const CharacterPool& pool, const EachClassRule& rule, qint32 length);
