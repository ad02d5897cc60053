/* The machinery of the declaration lists in visa.h, kelqorm.h and kelbase.h.
 *
 * Each library lists every operation once, as
 *     X(return type, system name, table field, (kind, type, name), (kind, type, name), ...)
 * with one (kind, type, name) per parameter, in order. The kind tells how the operation uses
 * the parameter, for the bindings that log and trace calls:
 *     in            a number passed in (a session, a channel, a time, ...)
 *     status_in     a status passed in, to be translated
 *     attr_in       a VISA attribute id
 *     text_in       a NUL-terminated text passed in (at most 256 bytes are looked at)
 *     codes_in      30 line codes passed in
 *     callback_in   a text callback, or null
 *     out           one value written back through the pointer
 *     text_out      a 256-byte text buffer written back
 *     revision_out  a 72-byte revision buffer written back
 *     codes_out     30 codes written back
 *     attr_out      a VISA attribute value written back, of the attribute's own type
 * C sees only the types and names: the prototypes below each list come from it. */
#ifndef QORM_PLATFORM_DECLARE_H
#define QORM_PLATFORM_DECLARE_H

#define QORM_PARAM_DECL(kind, type, name) type name
#define QORM_PARAM_TYPE(kind, type, name) type
#define QORM_PARAM_NAME(kind, type, name) name

/* QORM_MAP(f, (a), (b), ...) is f(a), f(b), ... for up to six parameters. */
#define QORM_MAP_1(f, p) f p
#define QORM_MAP_2(f, p, ...) f p, QORM_MAP_1(f, __VA_ARGS__)
#define QORM_MAP_3(f, p, ...) f p, QORM_MAP_2(f, __VA_ARGS__)
#define QORM_MAP_4(f, p, ...) f p, QORM_MAP_3(f, __VA_ARGS__)
#define QORM_MAP_5(f, p, ...) f p, QORM_MAP_4(f, __VA_ARGS__)
#define QORM_MAP_6(f, p, ...) f p, QORM_MAP_5(f, __VA_ARGS__)
#define QORM_MAP_PICK(_1, _2, _3, _4, _5, _6, name, ...) name
#define QORM_MAP(f, ...)                                                                   \
    QORM_MAP_PICK(__VA_ARGS__, QORM_MAP_6, QORM_MAP_5, QORM_MAP_4, QORM_MAP_3, QORM_MAP_2, \
                  QORM_MAP_1, unused)(f, __VA_ARGS__)

/* The parameter list of an operation with types and names, with types only, with names only. */
#define QORM_PARAMS(...) QORM_MAP(QORM_PARAM_DECL, __VA_ARGS__)
#define QORM_TYPES(...) QORM_MAP(QORM_PARAM_TYPE, __VA_ARGS__)
#define QORM_ARGS(...) QORM_MAP(QORM_PARAM_NAME, __VA_ARGS__)

/* The prototype of an operation, as a list entry. */
#define QORM_DECLARE_OPERATION(ret, name, field, ...) \
    ret QORM_VI_FUNC name(QORM_PARAMS(__VA_ARGS__));

#endif
