// Small owners of GMP and MPFR numbers for the oracle.
#pragma once

#include <gmp.h>
#include <mpfr.h>

#include <string>

namespace quoracle {

struct Q {
    mpq_t q;
    Q() { mpq_init(q); }
    explicit Q(long n, unsigned long d = 1) {
        mpq_init(q);
        mpq_set_si(q, n, d);
        mpq_canonicalize(q);
    }
    Q(const Q& o) {
        mpq_init(q);
        mpq_set(q, o.q);
    }
    Q& operator=(const Q& o) {
        mpq_set(q, o.q);
        return *this;
    }
    ~Q() { mpq_clear(q); }
};

inline Q operator+(const Q& a, const Q& b) {
    Q r;
    mpq_add(r.q, a.q, b.q);
    return r;
}
inline Q operator-(const Q& a, const Q& b) {
    Q r;
    mpq_sub(r.q, a.q, b.q);
    return r;
}
inline Q operator*(const Q& a, const Q& b) {
    Q r;
    mpq_mul(r.q, a.q, b.q);
    return r;
}
inline Q operator/(const Q& a, const Q& b) {
    Q r;
    mpq_div(r.q, a.q, b.q);
    return r;
}
inline bool operator<=(const Q& a, const Q& b) {
    return mpq_cmp(a.q, b.q) <= 0;
}

// A plain decimal ("-1.25", ".5") exactly.
Q decimal(const std::string& text);
// q rounded to `places` decimal places, as a plain decimal without
// trailing zeros ("-0.125", "3").
std::string decimalText(const Q& q, int places);

struct R {
    mpfr_t f;
    explicit R(mpfr_prec_t bits) { mpfr_init2(f, bits); }
    ~R() { mpfr_clear(f); }
    R(const R&) = delete;
    R& operator=(const R&) = delete;
};

} // namespace quoracle
