#!/usr/bin/env bash
# A short fuzzing run of every libFuzzer target, so that CI sees crashes early.
exec "$(dirname "$0")/../../scripts/fuzz" "${FUZZ_SECONDS:-20}"
