// The program loads the PostgreSQL client library only when a directory on
// a server is opened. Linked as usual, the library and the twenty it needs
// (TLS, Kerberos, LDAP) would be loaded and set up at every start, which costs
// more than a tenth of the program's start-up, while most offices use the
// file. The program is linked against these definitions instead of the
// library; each one finds the library's own function on its first call.
//
// Without the library no connection can be made: the connect call answers
// as libpq does when it cannot allocate one, and releasing nothing is
// harmless. Every other call needs a connection or result and so the library.

#include <libpq-fe.h>

#include <cstdio>
#include <cstdlib>
#include <dlfcn.h>

namespace {

constexpr const char *kLibraryName = "libpq.so.5";

void *Library()
{
    static void *const library = dlopen(kLibraryName, RTLD_NOW | RTLD_LOCAL);
    return library;
}

template <typename TFunction> TFunction *Resolve(const char *name)
{
    void *const library = Library();
    void *const function = library ? dlsym(library, name) : nullptr;
    if (!function) {
        std::fprintf(stderr, "velirsk: %s has no %s\n", kLibraryName, name);
        std::abort();
    }
    return reinterpret_cast<TFunction *>(function);
}

} // namespace

// Each function is resolved once, on its first call.
#define VELIRSK_CALL(name, ...)                                                                                        \
    static decltype(&name) const function = Resolve<decltype(name)>(#name);                                            \
    return function(__VA_ARGS__)

extern "C" {

PGconn *PQconnectdbParams(const char *const *keywords, const char *const *values, int expandDbname)
{
    if (!Library())
        return nullptr;
    VELIRSK_CALL(PQconnectdbParams, keywords, values, expandDbname);
}

void PQfinish(PGconn *conn)
{
    if (!conn)
        return;
    VELIRSK_CALL(PQfinish, conn);
}

void PQclear(PGresult *res)
{
    if (!res)
        return;
    VELIRSK_CALL(PQclear, res);
}

void PQfreemem(void *ptr)
{
    if (!ptr)
        return;
    VELIRSK_CALL(PQfreemem, ptr);
}

int PQresetStart(PGconn *conn)
{
    VELIRSK_CALL(PQresetStart, conn);
}
PostgresPollingStatusType PQresetPoll(PGconn *conn)
{
    VELIRSK_CALL(PQresetPoll, conn);
}
void PQreset(PGconn *conn)
{
    VELIRSK_CALL(PQreset, conn);
}
PGcancel *PQgetCancel(PGconn *conn)
{
    VELIRSK_CALL(PQgetCancel, conn);
}
void PQfreeCancel(PGcancel *cancel)
{
    VELIRSK_CALL(PQfreeCancel, cancel);
}
int PQcancel(PGcancel *cancel, char *errbuf, int errbufsize)
{
    VELIRSK_CALL(PQcancel, cancel, errbuf, errbufsize);
}
ConnStatusType PQstatus(const PGconn *conn)
{
    VELIRSK_CALL(PQstatus, conn);
}
char *PQerrorMessage(const PGconn *conn)
{
    VELIRSK_CALL(PQerrorMessage, conn);
}
int PQbackendPID(const PGconn *conn)
{
    VELIRSK_CALL(PQbackendPID, conn);
}

PGresult *PQexecParams(PGconn *conn, const char *command, int nParams, const Oid *paramTypes,
                       const char *const *paramValues, const int *paramLengths, const int *paramFormats,
                       int resultFormat)
{
    VELIRSK_CALL(PQexecParams, conn, command, nParams, paramTypes, paramValues, paramLengths, paramFormats,
                 resultFormat);
}

PGresult *PQprepare(PGconn *conn, const char *stmtName, const char *query, int nParams, const Oid *paramTypes)
{
    VELIRSK_CALL(PQprepare, conn, stmtName, query, nParams, paramTypes);
}

PGresult *PQexecPrepared(PGconn *conn, const char *stmtName, int nParams, const char *const *paramValues,
                         const int *paramLengths, const int *paramFormats, int resultFormat)
{
    VELIRSK_CALL(PQexecPrepared, conn, stmtName, nParams, paramValues, paramLengths, paramFormats, resultFormat);
}

PGresult *PQdescribePrepared(PGconn *conn, const char *stmt)
{
    VELIRSK_CALL(PQdescribePrepared, conn, stmt);
}
int PQconsumeInput(PGconn *conn)
{
    VELIRSK_CALL(PQconsumeInput, conn);
}
PGnotify *PQnotifies(PGconn *conn)
{
    VELIRSK_CALL(PQnotifies, conn);
}
ExecStatusType PQresultStatus(const PGresult *res)
{
    VELIRSK_CALL(PQresultStatus, res);
}
char *PQresultErrorMessage(const PGresult *res)
{
    VELIRSK_CALL(PQresultErrorMessage, res);
}
char *PQresultErrorField(const PGresult *res, int fieldcode)
{
    VELIRSK_CALL(PQresultErrorField, res, fieldcode);
}
int PQntuples(const PGresult *res)
{
    VELIRSK_CALL(PQntuples, res);
}
int PQnfields(const PGresult *res)
{
    VELIRSK_CALL(PQnfields, res);
}
char *PQfname(const PGresult *res, int field_num)
{
    VELIRSK_CALL(PQfname, res, field_num);
}
Oid PQftable(const PGresult *res, int field_num)
{
    VELIRSK_CALL(PQftable, res, field_num);
}
int PQftablecol(const PGresult *res, int field_num)
{
    VELIRSK_CALL(PQftablecol, res, field_num);
}
Oid PQftype(const PGresult *res, int field_num)
{
    VELIRSK_CALL(PQftype, res, field_num);
}
int PQfmod(const PGresult *res, int field_num)
{
    VELIRSK_CALL(PQfmod, res, field_num);
}
char *PQcmdTuples(PGresult *res)
{
    VELIRSK_CALL(PQcmdTuples, res);
}
char *PQgetvalue(const PGresult *res, int tup_num, int field_num)
{
    VELIRSK_CALL(PQgetvalue, res, tup_num, field_num);
}
int PQgetlength(const PGresult *res, int tup_num, int field_num)
{
    VELIRSK_CALL(PQgetlength, res, tup_num, field_num);
}
int PQgetisnull(const PGresult *res, int tup_num, int field_num)
{
    VELIRSK_CALL(PQgetisnull, res, tup_num, field_num);
}

} // extern "C"
