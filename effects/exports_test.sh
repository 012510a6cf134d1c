#!/usr/bin/env bash
# Checks the export table of the built library by name: usage: exports_test.sh OBJDUMP DLL
objdump=$1
dll=$2
expected=$(sort <<'NAMES'
TAVISUP_GetInterface
TAVISUP_ReleaseInterface
TAVISUP_SetEQGain
TAVISUP_GetEQGain
TAVISUP_SetEQStatus
TAVISUP_GetEQStatus
TAVISUP_SetEQMode
TAVISUP_GetEQMode
TAVISUP_SetEnvMode
TAVISUP_GetEnvMode
TAVISUP_SetRoomSize
TAVISUP_GetRoomSize
TAVISUP_SetKaraokeState
TAVISUP_GetKaraokeState
TAVISUP_SetKaraokeMicEffectState
TAVISUP_GetKaraokeMicEffectState
TAVISUP_SetKaraokeMicEffectMode
TAVISUP_GetKaraokeMicEffectMode
TAVISUP_SetMicEchoLevel
TAVISUP_GetMicEchoLevel
TAVISUP_SetMagicVoiceMode
TAVISUP_GetMagicVoiceMode
TAVISUP_SetKeyShiftState
TAVISUP_GetKeyShiftState
TAVISUP_SetKeyShiftLevel
TAVISUP_GetKeyShiftLevel
TAVISUP_SetVocalCancellationState
TAVISUP_GetVocalCancellationState
TAVISUP_SetVocalCancellationLevel
TAVISUP_GetVocalCancellationLevel
NAMES
)
table=$("$objdump" -p "$dll") || exit 1
# The name pointer table: lines like "	[   4] TAVISUP_GetInterface".
actual=$(printf '%s\n' "$table" |
  sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' |
  sed -n 's/^[[:space:]]*\[[[:space:]]*[0-9]*\][[:space:]]*\([^[:space:]]*\).*$/\1/p' | sort)
if [ "$actual" != "$expected" ]; then
  echo "export names differ (- expected, + actual):"
  diff <(printf '%s\n' "$expected") <(printf '%s\n' "$actual")
  exit 1
fi
echo "$(printf '%s\n' "$actual" | wc -l) exports by name"
