# Private print server for the tests, sourced by scripts/test.sh.
#
# When cupsd is installed and the tests run as root, starts a cupsd of its own
# in a private folder (configuration, spool, cache, logs), listening on a free
# loopback port and on a socket of that folder, with two raw queues whose
# backend writes each job to the folder's "saida/" as job-<id>.pdf:
#   PDF     the server's default printer, accepting jobs;
#   Recusa  a printer that refuses every job (cupsreject);
#   Pausada a stopped printer that still accepts jobs (cupsdisable).
# The Debian cups-pdf backend reads its settings only from /etc/cups, so it
# cannot be kept private; the small backend below stands in for it.
# Exports CUPS_SERVER (127.0.0.1:port) and BROTALIA_CUPS_TESTE (the private
# folder) and adds the command that stops the server to stop_services. Without
# cupsd, or without root, nothing is started and the print-server tests skip.

brotalia_cups_start() {
  if ! command -v cupsd >/dev/null 2>&1 && [ ! -x /usr/sbin/cupsd ]; then
    echo "cups.sh: cupsd ausente; os testes com servidor de impressão serão pulados." >&2
    return 0
  fi
  if [ "$(id -u)" -ne 0 ]; then
    echo "cups.sh: o servidor de impressão de teste precisa de root; os testes com ele serão pulados." >&2
    return 0
  fi
  local cupsd_bin lpadmin_bin dir port tries pid sock sub
  cupsd_bin=$(command -v cupsd || echo /usr/sbin/cupsd)
  lpadmin_bin=$(command -v lpadmin || echo /usr/sbin/lpadmin)
  dir=$(mktemp -d /tmp/brotalia-cups.XXXXXX) || return 1
  chmod 0755 "$dir"
  mkdir -p "$dir/etc/ppd" "$dir/etc/ssl" "$dir/spool/tmp" "$dir/cache" "$dir/log" "$dir/run" \
    "$dir/saida" "$dir/bin/backend"
  for sub in filter daemon cgi-bin monitor notifier; do
    [ -e "/usr/lib/cups/$sub" ] && ln -s "/usr/lib/cups/$sub" "$dir/bin/$sub"
  done
  # The backend: with no arguments CUPS asks which devices it offers (none);
  # a job is copied, from its file or from standard input, to the folder the
  # device URI names.
  cat >"$dir/bin/backend/brotalia-arquivo" <<'EOF'
#!/bin/sh
[ $# -eq 0 ] && exit 0
pasta=${DEVICE_URI#brotalia-arquivo:}
destino="$pasta/job-$1.pdf"
if [ $# -ge 6 ]; then cat "$6" >"$destino.tmp"; else cat >"$destino.tmp"; fi || exit 1
mv "$destino.tmp" "$destino"
EOF
  chmod 0700 "$dir/bin/backend/brotalia-arquivo"
  sock="$dir/run/cups.sock"

  tries=0
  while :; do
    tries=$((tries + 1))
    port=$((20000 + RANDOM % 40000))
    # Skip a port someone already listens on.
    if (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null; then
      [ $tries -lt 20 ] && continue
      return 1
    fi
    cat >"$dir/etc/cups-files.conf" <<EOF
ServerRoot $dir/etc
ServerBin $dir/bin
DataDir /usr/share/cups
DocumentRoot /usr/share/cups/doc-root
RequestRoot $dir/spool
TempDir $dir/spool/tmp
CacheDir $dir/cache
StateDir $dir/run
ErrorLog $dir/log/error_log
AccessLog $dir/log/access_log
PageLog $dir/log/page_log
User lp
Group lp
SystemGroup root
FileDevice No
EOF
    cat >"$dir/etc/cupsd.conf" <<EOF
Listen 127.0.0.1:$port
Listen $sock
LogLevel warn
Browsing No
BrowseLocalProtocols none
WebInterface No
DefaultAuthType None
PreserveJobHistory Yes
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
EOF
    "$cupsd_bin" -f -c "$dir/etc/cupsd.conf" -s "$dir/etc/cups-files.conf" >>"$dir/log/cupsd.out" 2>&1 &
    pid=$!
    local waited=0
    while [ $waited -lt 50 ] && kill -0 "$pid" 2>/dev/null && ! (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null; do
      sleep 0.1
      waited=$((waited + 1))
    done
    if kill -0 "$pid" 2>/dev/null && (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null; then
      break
    fi
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    if [ $tries -ge 5 ]; then
      echo "cups.sh: o servidor de impressão de teste não iniciou (veja $dir/log)." >&2
      return 1
    fi
  done
  stop_services+=("kill $pid 2>/dev/null; wait $pid 2>/dev/null; rm -rf '$dir'")

  # Queues, set up through the private socket (a local root connection).
  "$lpadmin_bin" -h "$sock" -p PDF -E -v "brotalia-arquivo:$dir/saida" -m raw >/dev/null 2>&1 &&
    "$lpadmin_bin" -h "$sock" -p Recusa -E -v "brotalia-arquivo:$dir/saida" -m raw >/dev/null 2>&1 &&
    "$lpadmin_bin" -h "$sock" -p Pausada -E -v "brotalia-arquivo:$dir/saida" -m raw >/dev/null 2>&1 &&
    "$lpadmin_bin" -h "$sock" -d PDF >/dev/null 2>&1 &&
    cupsreject -h "$sock" -r "teste" Recusa >/dev/null 2>&1 &&
    cupsdisable -h "$sock" -r "teste" Pausada >/dev/null 2>&1 || {
    echo "cups.sh: não foi possível criar as filas do servidor de impressão de teste (veja $dir/log)." >&2
    return 1
  }
  export CUPS_SERVER="127.0.0.1:$port"
  export BROTALIA_CUPS_TESTE="$dir"
  echo "cups.sh: servidor de impressão de teste em $CUPS_SERVER (pid $pid, pasta $dir)." >&2
}

brotalia_cups_start || echo "cups.sh: seguindo sem servidor de impressão de teste." >&2
